// Payload installation: the file that stands in the folder afterwards, its
// time stamp, and what each failure shows and leaves behind.
#include <algorithm>
#include <functional>
#include <map>

#include "platform/sim/system_state.h"
#include "product/product.h"
#include "services_fixture.h"

namespace services_test {
namespace {

const char kFolder[] = "C:\\Target";
const char kFinal[] = "Testanza.txt";
const std::string kSample = "<the sample, expanded>";  // stands for SampleText() in the tables

std::string InFolder(const std::string& name) { return std::string(kFolder) + "\\" + name; }

// Makes the payload a container that ends halfway through its data.
void TruncatePayload(sim::Machine& m) {
  const sim::Resource* packed = m.gui.resources.Find("MSZ", 133);
  ASSERT_NE(packed, nullptr);
  std::vector<uint8_t> bytes = packed->bytes;
  bytes.resize(bytes.size() / 2);
  m.gui.resources.Put("MSZ", 133, bytes);
}

class InstallPayloadTest : public ServicesTest {
 protected:
  InstallPayloadTest() {
    machine.system.MakeFolders(kFolder);
    machine.system.startFolder = kFolder;
  }

  bool Install(unsigned id, const char* name = kFinal) {
    bool result = false;
    Run([&](CInstallDlg& dlg) {
      result = dlg.InstallPayloadFile(id, name);
      EXPECT_EQ(machine.system.CurrentFolder(), kFolder);
      for (const std::string& file : machine.system.List(kFolder))
        EXPECT_TRUE(machine.system.Find(InFolder(file))->opens.empty()) << file << " is still open";
    });
    return result;
  }

  // The folder's files with their contents.
  std::map<std::string, std::string> Folder() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : machine.system.List(kFolder)) {
      const std::string text = machine.system.Contents(InFolder(name));
      files[name] = text == SampleText() ? kSample : text;
    }
    return files;
  }

  // The release time, 28 July 2002 01:20 local, in UTC for this machine.
  sim::FileTime ReleaseTimeUtc() const {
    const int64_t offset = int64_t{machine.system.utcOffsetMinutes} * 60 * 10000000;
    return static_cast<sim::FileTime>(static_cast<int64_t>(sim::MakeFileTime(2002, 7, 28, 1, 20, 0)) - offset);
  }
};

TEST_F(InstallPayloadTest, ExpandsTheResourceUnderItsNameAndLeavesNoTemporaryFile) {
  EXPECT_TRUE(Install(kSampleId));
  EXPECT_EQ(Folder(), (std::map<std::string, std::string>{{kFinal, kSample}}));
  EXPECT_EQ(Boxes(), std::vector<Box>{});
}

// The stamp is the same local time whatever the zone; what is stored is UTC.
TEST_F(InstallPayloadTest, StampsTheReleaseTimeInTheMachinesZone) {
  for (int offset : {0, 60, -300}) {
    machine.system.utcOffsetMinutes = offset;
    machine.system.clock += 86400 * 17;  // the day of installation does not matter
    ASSERT_TRUE(Install(kSampleId));
    const sim::NodePtr file = machine.system.Find(InFolder(kFinal));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->created, ReleaseTimeUtc()) << "offset " << offset;
    EXPECT_EQ(file->accessed, ReleaseTimeUtc()) << "offset " << offset;
    EXPECT_EQ(file->written, ReleaseTimeUtc()) << "offset " << offset;
  }
  EXPECT_EQ(Folder(), (std::map<std::string, std::string>{{kFinal, kSample}}));
}

TEST_F(InstallPayloadTest, ReplacesAReadOnlyOldFileAndRewritesAnOldTemporaryFile) {
  machine.system.PutFile(InFolder(kFinal), "old");
  machine.system.SetReadOnly(InFolder(kFinal), true);
  machine.system.PutFile(InFolder("TZ.MSZ"), std::string(100000, 'x'));
  EXPECT_TRUE(Install(kSampleId));
  EXPECT_EQ(Folder(), (std::map<std::string, std::string>{{kFinal, kSample}}));
  EXPECT_EQ(machine.system.Find(InFolder(kFinal))->attributes & os::FILE_ATTRIBUTE_READONLY, 0u);
}

// ---- failures ---------------------------------------------------------------------------

struct FailureCase {
  const char* name;
  std::function<void(sim::Machine&)> setUp;
  unsigned id;
  std::vector<std::string> errors;
  std::map<std::string, std::string> left;  // the folder afterwards
};
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class InstallPayloadFailure : public InstallPayloadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(InstallPayloadFailure, ReportsAndLeavesTheFolderAsExpected) {
  const FailureCase& c = GetParam();
  c.setUp(machine);
  EXPECT_FALSE(Install(c.id));
  std::vector<Box> expected;
  for (const std::string& text : c.errors) expected.push_back(ErrorBox(text));
  EXPECT_EQ(Boxes(), expected);
  EXPECT_EQ(Folder(), c.left);
}

void Nothing(sim::Machine&) {}
void Put(sim::Machine& m, const std::string& name, const std::string& text, bool readOnly = false,
         bool heldOpen = false) {
  m.system.PutFile(InFolder(name), text);
  m.system.SetReadOnly(InFolder(name), readOnly);
  m.system.HoldOpen(InFolder(name), heldOpen);
}

const char kExpand[] = "Can't expand installation file Testanza.txt";
const char kRename[] = "Can't rename installation file Testanza.txt";

INSTANTIATE_TEST_SUITE_P(
    Failures, InstallPayloadFailure,
    ::testing::Values(
        FailureCase{"NoCurrentFolder", [](sim::Machine& m) { m.Fail("_getcwd"); }, 133,
                    {"Can't retrieve current directory"}, {}},
        FailureCase{"NoSuchResource", Nothing, 139, {"Setup file appears to be corrupted!"}, {}},
        FailureCase{"ResourceDoesNotLoad", [](sim::Machine& m) { m.Fail("LoadResource"); }, 133,
                    {"Setup file appears to be corrupted!"}, {}},
        FailureCase{"EmptyResource",
                    [](sim::Machine& m) { m.gui.resources.Put("MSZ", 133, {}); }, 133,
                    {"Setup file is corrupted!"}, {}},
        FailureCase{"ReadOnlyTemporaryFile", [](sim::Machine& m) { Put(m, "TZ.MSZ", "old", true); },
                    133, {"Can't overwrite temporary file \"TZ.MSZ\""}, {{"TZ.MSZ", "old"}}},
        FailureCase{"ShortWrite", [](sim::Machine& m) { m.Fail("fwrite", "TZ.MSZ", 10); }, 133,
                    {"Insufficient space, or disk error"}, {{"TZ.MSZ", std::string("SZDD\x88\xF0\x27\x33\x41\x00", 10)}}},
        FailureCase{"ExpansionFailsThenTheRename",
                    [](sim::Machine& m) {
                      TruncatePayload(m);
                      Put(m, kFinal, "old");
                    },
                    133, {kExpand, kRename}, {}},
        // Our own rule: a leftover of an earlier attempt never takes the file's name.
        FailureCase{"StaleExpandedFileIsNotInstalled",
                    [](sim::Machine& m) {
                      TruncatePayload(m);
                      Put(m, "TZ.XXX", "stale", true);
                    },
                    133, {kExpand, kRename}, {}},
        FailureCase{"OldFileHeldOpen",
                    [](sim::Machine& m) { Put(m, kFinal, "old", true, true); }, 133,
                    {kRename}, {{kFinal, "old"}, {"TZ.XXX", kSample}}},
        FailureCase{"CannotOpenForTheStamp",
                    [](sim::Machine& m) { m.Fail("CreateFileA", kFinal); }, 133,
                    {"Can't timestamp install file Testanza.txt"}, {{kFinal, kSample}}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(InstallPayloadTest, AHeldOpenOldFileLosesOnlyItsReadOnlyAttribute) {
  Put(machine, kFinal, "old", true, true);
  EXPECT_FALSE(Install(kSampleId));
  EXPECT_EQ(machine.system.Find(InFolder(kFinal))->attributes & os::FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(InstallPayloadTest, AFileThatCannotBeOpenedKeepsItsOwnTimes) {
  machine.Fail("CreateFileA", kFinal);
  EXPECT_FALSE(Install(kSampleId));
  EXPECT_EQ(machine.system.Find(InFolder(kFinal))->written, machine.system.Now());
}

#ifdef SETUP_RES
// The module that ships: each of the six containers of setup.res expands to
// the very file it was packed from.
TEST_F(InstallPayloadTest, TheShippedPayloadExpandsToItsOriginalFiles) {
  machine.gui.resources = sim::ResourceModule();
  std::string error;
  ASSERT_TRUE(machine.gui.resources.LoadFile(SETUP_RES, &error)) << error;
  Run([&](CInstallDlg& dlg) {
    for (const product::PayloadFile& file : product::kPayload)
      EXPECT_TRUE(dlg.InstallPayloadFile(file.resourceId, file.fileName)) << file.fileName;
  });
  EXPECT_EQ(Boxes(), std::vector<Box>{});
  std::vector<std::string> names;
  for (const product::PayloadFile& file : product::kPayload) {
    names.push_back(file.fileName);
    const std::string original = ReadHostFile(std::string(PAYLOAD_DIR) + "/" + file.fileName);
    EXPECT_FALSE(original.empty()) << file.fileName;
    EXPECT_TRUE(machine.system.Contents(InFolder(file.fileName)) == original) << file.fileName;
    EXPECT_EQ(machine.system.Find(InFolder(file.fileName))->written, ReleaseTimeUtc()) << file.fileName;
  }
  std::sort(names.begin(), names.end(), sim::CiLess());
  EXPECT_EQ(machine.system.List(kFolder), names);
}
#endif

}  // namespace
}  // namespace services_test
