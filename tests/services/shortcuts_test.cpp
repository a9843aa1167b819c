// Shortcuts: the link files and their five properties, the desktop and the
// program group, the three failures of the link object, and removal.
#include "platform/sim/lnk.h"
#include "platform/sim/system_state.h"
#include "product/product.h"
#include "services/shortcuts.h"
#include "services_fixture.h"

namespace services_test {
namespace {

const char kTarget[] = "C:\\Program Files\\Testanza";
const char kDesktop[] = "C:\\Documents and Settings\\User\\Desktop";
const char kGroup[] = "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Testanza";

struct Link {
  std::string description, target, workingDir, iconLocation;
  int iconIndex, showCmd;
  bool operator==(const Link& o) const {
    return description == o.description && target == o.target && workingDir == o.workingDir &&
           iconLocation == o.iconLocation && iconIndex == o.iconIndex && showCmd == o.showCmd;
  }
};
void PrintTo(const Link& l, std::ostream* out) {
  *out << "{" << l.description << " | " << l.target << " | " << l.workingDir << " | " << l.iconLocation << ","
       << l.iconIndex << " | " << l.showCmd << "}";
}

// What the install sequence asks of a link to file in the target folder.
Link Expected(const std::string& description, const std::string& file) {
  const std::string target = std::string(kTarget) + "\\" + file;
  return {description, target, kTarget, target, 0, os::SW_SHOWNORMAL};
}

class ShortcutsTest : public ServicesTest {
 protected:
  bool Create(const char* base, const char* extension, const char* linkName, bool onDesktop,
              const std::string& groupDir = kGroup) {
    bool result = false;
    Run([&](CInstallDlg& dlg) {
      os::CoInitialize(nullptr);  // as the dialog's set-up does
      dlg.m_strTargetDir = kTarget;
      g_strProgramsGroupDir = groupDir.c_str();
      result = dlg.CreateShortcut(base, extension, linkName, onDesktop);
      EXPECT_EQ(machine.system.LiveComObjects(), 0) << "an interface was not released";
      EXPECT_EQ(machine.system.LiveItemLists(), 0) << "an item list was not freed";
    });
    return result;
  }

  void Remove(const char* linkName, bool onDesktop, const std::string& groupDir = kGroup) {
    Run([&](CInstallDlg&) {
      g_strProgramsGroupDir = groupDir.c_str();
      RemoveShortcut(linkName, onDesktop);
    });
  }

  // The link file read back; false when it is missing or is no shell link.
  bool ReadLink(const std::string& path, Link* link) const {
    const sim::NodePtr file = machine.system.Find(path);
    sim::LinkProperties p;
    if (!file || file->folder || !sim::ParseLinkFile(file->data, &p)) return false;
    *link = {p.description, p.target, p.workingDir, p.iconLocation, p.iconIndex, p.showCmd};
    return true;
  }
};

TEST_F(ShortcutsTest, MakesTheFourLinksOfAnInstallation) {
  struct Case {
    const char* base;
    const char* extension;
    const char* linkName;
    bool onDesktop;
    std::string file;
    Link link;
  } cases[] = {
      {"Testanza", ".exe", "Testanza", true, std::string(kDesktop) + "\\Testanza.lnk",
       Expected("Testanza", "Testanza.exe")},
      {"Testanza", ".exe", "Testanza", false, std::string(kGroup) + "\\Testanza.lnk",
       Expected("Testanza", "Testanza.exe")},
      {"Testanza", ".hlp", "Testanza Help", false, std::string(kGroup) + "\\Testanza Help.lnk",
       Expected("Testanza Help", "Testanza.hlp")},
      {"Uninstall", ".exe", "Uninstall Testanza", false, std::string(kGroup) + "\\Uninstall Testanza.lnk",
       Expected("Uninstall Testanza", "Uninstall.exe")},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Create(c.base, c.extension, c.linkName, c.onDesktop)) << c.file;
    Link link{};
    ASSERT_TRUE(ReadLink(c.file, &link)) << c.file;
    EXPECT_EQ(link, c.link) << c.file;
  }
  EXPECT_EQ(Boxes(), std::vector<Box>{});
  EXPECT_FALSE(machine.system.IsFolder(kTarget)) << "the targets need not exist";
}

TEST_F(ShortcutsTest, AProgramGroupLinkMakesTheGroupAndStandsInIt) {
  ASSERT_FALSE(machine.system.IsFolder(kGroup));
  EXPECT_TRUE(Create("Testanza", ".exe", "Testanza", false));
  EXPECT_TRUE(machine.system.IsFolder(kGroup));
  EXPECT_EQ(machine.system.CurrentFolder(), kGroup);
}

TEST_F(ShortcutsTest, ReplacesAnExistingLinkFile) {
  machine.system.PutFile(std::string(kDesktop) + "\\Testanza.lnk", "not a link");
  EXPECT_TRUE(Create("Testanza", ".exe", "Testanza", true));
  Link link{};
  EXPECT_TRUE(ReadLink(std::string(kDesktop) + "\\Testanza.lnk", &link));
}

// The group's preparation complains, but the folder is there, so the link is made.
TEST_F(ShortcutsTest, APreparationMessageDoesNotStopTheLink) {
  machine.system.MakeFolders(kGroup);
  machine.system.FindDrive('C')->availableToCaller = 1000;
  EXPECT_TRUE(Create("Testanza", ".exe", "Testanza", false));
  EXPECT_EQ(Boxes(), std::vector<Box>{ErrorBox("Insufficient disk space on drive C:")});
  Link link{};
  EXPECT_TRUE(ReadLink(std::string(kGroup) + "\\Testanza.lnk", &link));
}

TEST_F(ShortcutsTest, AGroupThatCannotBeMadeFailsTheSave) {
  EXPECT_FALSE(Create("Testanza", ".exe", "Testanza", false, "Q:\\Programs\\Testanza"));
  EXPECT_EQ(Boxes(), (std::vector<Box>{ErrorBox("Can't access drive Q:"),
                                       ErrorBox("Can't create Program Files icon group")}));
}

TEST_F(ShortcutsTest, WithoutTheShellsDesktopTheWindowsFolderHasOne) {
  machine.system.desktopFolder = "";
  EXPECT_FALSE(Create("Testanza", ".exe", "Testanza", true));
  EXPECT_EQ(Boxes(), std::vector<Box>{ErrorBox("Can't create Program Files icon group")});
  EXPECT_FALSE(machine.system.IsFolder("C:\\Windows\\Desktop")) << "a desktop link makes no folder";

  machine.system.MakeFolders("C:\\Windows\\Desktop");
  EXPECT_TRUE(Create("Testanza", ".exe", "Testanza", true));
  Link link{};
  ASSERT_TRUE(ReadLink("C:\\Windows\\Desktop\\Testanza.lnk", &link));
  EXPECT_EQ(link, Expected("Testanza", "Testanza.exe"));
  EXPECT_FALSE(machine.system.IsFile(std::string(kDesktop) + "\\Testanza.lnk"));
}

struct LinkFailure {
  const char* name;
  const char* op;
  const char* message;
};
void PrintTo(const LinkFailure& c, std::ostream* out) { *out << c.name; }

class ShortcutFailureTest : public ShortcutsTest, public ::testing::WithParamInterface<LinkFailure> {};

TEST_P(ShortcutFailureTest, ReportsEachFailureOfTheLinkObjectWithItsOwnText) {
  const LinkFailure& c = GetParam();
  machine.Fail(c.op);
  for (bool onDesktop : {true, false}) {
    machine.transcript.clear();
    EXPECT_FALSE(Create("Testanza", ".exe", "Testanza", onDesktop));
    EXPECT_EQ(Boxes(), std::vector<Box>{ErrorBox(c.message)});
  }
  EXPECT_EQ(machine.system.List(kDesktop), std::vector<std::string>{});
  EXPECT_EQ(machine.system.List(kGroup), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    LinkObject, ShortcutFailureTest,
    ::testing::Values(LinkFailure{"Creation", "CoCreateInstance", "Can't create Program Files link"},
                      LinkFailure{"PersistInterface", "IShellLinkA::QueryInterface",
                                  "Couldn't create file interface to program links"},
                      LinkFailure{"Save", "IPersistFile::Save", "Can't create Program Files icon group"}),
    [](const ::testing::TestParamInfo<LinkFailure>& info) { return std::string(info.param.name); });

// Our own rule: a link path that does not fit the system's buffer is not
// saved under a shortened name.
TEST_F(ShortcutsTest, ALinkPathBeyond259CharactersIsRefused) {
  const size_t room = 259 - std::string(kDesktop).size() - std::string("\\.lnk").size();
  const std::string fits(room, 'n'), tooLong(room + 1, 'n');
  EXPECT_TRUE(Create("Testanza", ".exe", fits.c_str(), true));
  EXPECT_FALSE(Create("Testanza", ".exe", tooLong.c_str(), true));
  EXPECT_EQ(Boxes(), std::vector<Box>{ErrorBox("Can't create Program Files icon group")});
  EXPECT_EQ(machine.system.List(kDesktop), std::vector<std::string>{fits + ".lnk"});
}

TEST_F(ShortcutsTest, RemoveDeletesTheLinkAndNeverMakesAFolder) {
  ASSERT_TRUE(Create("Testanza", ".hlp", "Testanza Help", false));
  ASSERT_TRUE(Create("Testanza", ".exe", "Testanza", true));
  Remove("Testanza Help", false);
  Remove("Testanza", true);
  EXPECT_EQ(machine.system.List(kGroup), std::vector<std::string>{});
  EXPECT_EQ(machine.system.List(kDesktop), std::vector<std::string>{});

  Remove("Testanza", false, "D:\\Missing\\Testanza");
  Remove("Testanza Help", false, "C:\\Missing\\Testanza");
  machine.system.desktopFolder = "";
  Remove("Testanza", true);
  EXPECT_FALSE(machine.system.IsFolder("C:\\Missing"));
  EXPECT_FALSE(machine.system.IsFolder("C:\\Windows\\Desktop"));
  EXPECT_EQ(Boxes(), std::vector<Box>{});
}

}  // namespace
}  // namespace services_test
