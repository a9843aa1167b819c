// Folder preparation: the path rules, the drive change, the free-space test
// and the folder chain, with the state each failure leaves behind.
#include <functional>

#include "platform/sim/scripted_user.h"
#include "platform/sim/system_state.h"
#include "services_fixture.h"

namespace services_test {
namespace {

const char kInvalid[] = "Please specify a valid disk drive and path";

// Every folder on a drive, depth first, as full paths.
void CollectFolders(const sim::SystemState& system, const std::string& folder, std::vector<std::string>* out) {
  for (const std::string& name : system.List(folder)) {
    const std::string path = (folder.back() == '\\' ? folder : folder + "\\") + name;
    if (!system.IsFolder(path)) continue;
    out->push_back(path);
    CollectFolders(system, path, out);
  }
}

std::vector<std::string> FoldersOn(const sim::SystemState& system, const std::string& root) {
  std::vector<std::string> folders;
  CollectFolders(system, root, &folders);
  return folders;
}

class PrepareDirectoryTest : public ServicesTest {
 protected:
  PrepareDirectoryTest() {
    machine.system.AddDrive('D');
    machine.system.AddDrive('E').usable = false;
    machine.system.PutFile("D:\\File", "not a folder");
  }

  bool Prepare(const std::string& path) {
    bool result = false;
    Run([&](CInstallDlg& dlg) {
      result = dlg.PrepareDirectory(path.c_str());
      EXPECT_EQ(machine.system.LoadedLibraries(), 0) << "Kernel32.dll stays loaded";
    });
    return result;
  }
};

// ---- path rules and the folder chain -------------------------------------------------

struct PathCase {
  const char* name;
  std::string path;
  bool result;
  std::vector<std::string> errors;
  std::string folderAfter;             // the process's current folder afterwards
  std::vector<std::string> foldersOnD;  // every folder on D: afterwards
};
void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class PrepareDirectoryPathTest : public PrepareDirectoryTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(PrepareDirectoryPathTest, ShowsWhatFailsAndLeavesTheProcessWhereItGot) {
  const PathCase& c = GetParam();
  EXPECT_EQ(Prepare(c.path), c.result);
  std::vector<Box> expected;
  for (const std::string& text : c.errors) expected.push_back(ErrorBox(text));
  EXPECT_EQ(Boxes(), expected);
  EXPECT_EQ(machine.system.CurrentFolder(), c.folderAfter);
  EXPECT_EQ(FoldersOn(machine.system, "D:\\"), c.foldersOnD);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PrepareDirectoryPathTest,
    ::testing::Values(
        PathCase{"NewChain", "D:\\Apps\\Tests", true, {}, "D:\\Apps\\Tests", {"D:\\Apps", "D:\\Apps\\Tests"}},
        PathCase{"ExistingFoldersAreEntered", "C:\\Program Files", true, {}, "C:\\Program Files", {}},
        PathCase{"LowerCaseLetter", "d:\\apps", true, {}, "D:\\apps", {"D:\\apps"}},
        PathCase{"Empty", "", false, {kInvalid}, "C:\\", {}},
        PathCase{"OneCharacter", "D", false, {kInvalid}, "C:\\", {}},
        PathCase{"Unc", "\\\\server\\share\\Testanza", false, {kInvalid}, "C:\\", {}},
        PathCase{"ForwardSlashAfterTheDriveChange", "D:/Apps", false, {kInvalid}, "D:\\", {}},
        PathCase{"DriveOnlyAfterTheDriveChange", "D:", false, {kInvalid}, "D:\\", {}},
        PathCase{"DigitForALetter", "1:\\x", false, {"Can't access drive 1:"}, "C:\\", {}},
        PathCase{"MissingDriveKeepsItsCase", "q:\\x", false, {"Can't access drive q:"}, "C:\\", {}},
        PathCase{"DriveNotReady", "E:\\x", false, {"Can't access drive E:"}, "C:\\", {}},
        PathCase{"BareRootCreatesNothing", "D:\\", false, {"Error creating directory D:\\"}, "D:\\", {}},
        PathCase{"DoubleBackslash", "D:\\Apps\\\\Tests", false, {"Error creating directory D:\\Apps\\\\Tests"},
                 "D:\\Apps", {"D:\\Apps"}},
        PathCase{"TrailingBackslash", "D:\\Apps\\", false, {"Error creating directory D:\\Apps\\"}, "D:\\Apps",
                 {"D:\\Apps"}},
        PathCase{"FileInTheWay", "D:\\File\\Sub", false, {"Error creating directory D:\\File\\Sub"}, "D:\\", {}}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

// ---- free space ------------------------------------------------------------------------

const char kWarning[] =
    "Cannot determine the amount of free space on drive D:\r\n"
    "Do you want to procede with the installation anyway?";

struct SpaceCase {
  const char* name;
  std::function<void(sim::Machine&, sim::Drive&)> setUp;
  std::vector<int> answers;
  bool result;  // also whether D:\Apps is made
  std::vector<Box> boxes;
};
void PrintTo(const SpaceCase& c, std::ostream* out) { *out << c.name; }

void Available(sim::Drive& d, uint64_t bytes) { d.availableToCaller = bytes; }
// The 32-bit query only, with these counts.
void OldQuery(sim::Machine& m, sim::Drive& d, uint32_t sectors, uint32_t bytes, uint32_t clusters) {
  m.system.freeSpaceExAvailable = false;
  d.sectorsPerCluster = sectors;
  d.bytesPerSector = bytes;
  d.freeClusters = clusters;
}

class PrepareDirectorySpaceTest : public PrepareDirectoryTest, public ::testing::WithParamInterface<SpaceCase> {};

TEST_P(PrepareDirectorySpaceTest, GoesOnOnlyWithEnoughSpaceOrTheUsersYes) {
  const SpaceCase& c = GetParam();
  c.setUp(machine, *machine.system.FindDrive('D'));
  user.answers.assign(c.answers.begin(), c.answers.end());
  EXPECT_EQ(Prepare("D:\\Apps"), c.result);
  EXPECT_EQ(Boxes(), c.boxes);
  EXPECT_EQ(machine.system.IsFolder("D:\\Apps"), c.result);
  EXPECT_EQ(machine.system.CurrentFolder(), c.result ? "D:\\Apps" : "D:\\");
}

const Box kTooLittle = ErrorBox("Insufficient disk space on drive D:");
const Box kAskAnyway = {kWarning, "WARNING", os::MB_YESNO | os::MB_ICONQUESTION};
constexpr uint64_t k4GiB = 1ull << 32;

INSTANTIATE_TEST_SUITE_P(
    FreeSpace, PrepareDirectorySpaceTest,
    ::testing::Values(
        SpaceCase{"Exactly500000", [](sim::Machine&, sim::Drive& d) { Available(d, 500000); }, {}, true, {}},
        SpaceCase{"Only499999", [](sim::Machine&, sim::Drive& d) { Available(d, 499999); }, {}, false, {kTooLittle}},
        SpaceCase{"Exactly4GiB", [](sim::Machine&, sim::Drive& d) { Available(d, k4GiB); }, {}, true, {}},
        SpaceCase{"FourGiBAndTooLittleInTheLowHalf", [](sim::Machine&, sim::Drive& d) { Available(d, k4GiB + 7); },
                  {}, true, {}},
        SpaceCase{"OnlyTheCallersShareCounts",
                  [](sim::Machine&, sim::Drive& d) {
                    d.availableToCaller = 1000;
                    d.totalFree = 10ull << 30;
                  },
                  {}, false, {kTooLittle}},
        SpaceCase{"OldQuery500000", [](sim::Machine& m, sim::Drive& d) { OldQuery(m, d, 1, 1, 500000); }, {}, true, {}},
        SpaceCase{"OldQuery499999", [](sim::Machine& m, sim::Drive& d) { OldQuery(m, d, 1, 1, 499999); }, {}, false,
                  {kTooLittle}},
        // 64 × 4096 × 16384 is 2^32 bytes: zero in 32 bits.
        SpaceCase{"OldQueryProductOf4GiBDoesNotWrap",
                  [](sim::Machine& m, sim::Drive& d) { OldQuery(m, d, 64, 4096, 16384); }, {}, true, {}},
        SpaceCase{"OldQueryProductPast4GiBDoesNotWrap",
                  [](sim::Machine& m, sim::Drive& d) { OldQuery(m, d, 64, 4096, 16385); }, {}, true, {}},
        SpaceCase{"Kernel32NotLoadedYes",
                  [](sim::Machine& m, sim::Drive& d) {
                    Available(d, 0);
                    m.Fail("LoadLibraryA", "Kernel32.dll");
                  },
                  {os::IDYES}, true, {kAskAnyway}},
        SpaceCase{"Kernel32NotLoadedNo", [](sim::Machine& m, sim::Drive&) { m.Fail("LoadLibraryA", "Kernel32.dll"); },
                  {os::IDNO}, false, {kAskAnyway}},
        // The fault matches only the drive root text as given, without a backslash.
        SpaceCase{"QueryFailsYes", [](sim::Machine& m, sim::Drive&) { m.Fail("GetDiskFreeSpaceExA", "D:"); },
                  {os::IDYES}, true, {kAskAnyway}},
        SpaceCase{"OldQueryFailsNo",
                  [](sim::Machine& m, sim::Drive& d) {
                    OldQuery(m, d, 8, 512, 1000000);
                    m.Fail("GetDiskFreeSpaceA", "D:");
                  },
                  {os::IDNO}, false, {kAskAnyway}}),
    [](const ::testing::TestParamInfo<SpaceCase>& info) { return std::string(info.param.name); });

TEST_F(PrepareDirectoryTest, LowerCaseDriveIsQueriedAndShownAsTyped) {
  machine.system.FindDrive('D')->availableToCaller = 499999;
  machine.Fail("GetDiskFreeSpaceExA", "D:");  // must not apply: the query gets "d:"
  EXPECT_FALSE(Prepare("d:\\Apps"));
  EXPECT_EQ(Boxes(), std::vector<Box>{ErrorBox("Insufficient disk space on drive d:")});
}

// Every box of the service belongs to the install dialog's window.
TEST_F(PrepareDirectoryTest, ItsBoxesAreOwnedByTheDialog) {
  machine.Fail("LoadLibraryA", "Kernel32.dll");
  user.answers = {os::IDYES};
  Run([&](CInstallDlg& dlg) {
    ASSERT_TRUE(dlg.Create(900));
    machine.transcript.clear();
    EXPECT_FALSE(dlg.PrepareDirectory("D:\\Apps\\\\Tests"));
  });
  const std::vector<sim::Event> boxes = sim::EventsOf(machine.transcript, sim::Event::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  for (const sim::Event& box : boxes) EXPECT_EQ(box.templateId, 900) << box.text;
}

}  // namespace
}  // namespace services_test
