// The install dialog's set-up, its folder browser, the edit binding and the
// ways it ends, run through the real program and resources.
#include <string>

#include "platform/framework.h"
#include "product/product.h"
#include "tests/installer/installer_fixture.h"
#include "ui/install_dlg.h"

using sim::Action;
using sim::DialogView;
using sim::Event;

namespace {
const char kCaption[] = "DU Dodoridu - Install Testanza 1.20";
const char kProgramsGroup[] = "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Testanza";
const std::string kTooLongValue(300, 'x');

struct ProgramFilesCase {
  const char* name;
  const char* value;      // null: no such value
  bool refuseKey;
  const char* expected;   // the target folder shown
};
}  // namespace

class ProgramFilesTest : public InstallerTest, public ::testing::WithParamInterface<ProgramFilesCase> {};

TEST_P(ProgramFilesTest, SetUpFillsDefaultFolderCaptionAndFinalStatus) {
  const ProgramFilesCase& c = GetParam();
  const std::string key = product::kCurrentVersionKey;
  if (c.value)
    m.system.SetString(key, "ProgramFilesDir", c.value);
  else
    m.system.Key(key)->values.erase("ProgramFilesDir");
  if (c.refuseKey) m.system.RefuseAccess(key, os::KEY_READ);

  user.Do(kInstall, Action::PressEscape(), [&](const DialogView& v) {
    EXPECT_EQ(v.caption, kCaption);
    EXPECT_EQ(v.textOf(kEdit), c.expected);
    EXPECT_EQ(v.textOf(kStatus), kFinalStatus);
    EXPECT_EQ(std::string(Dialog()->m_strTargetDir), c.expected);
    EXPECT_EQ(std::string(Dialog()->m_strStatus), kFinalStatus);
    EXPECT_EQ(std::string(g_strInstallDir), c.expected);
  });
  Run();
  EXPECT_EQ(std::string(g_strProgramsGroupDir), kProgramsGroup);
  EXPECT_EQ(Boxes(), "");
  EXPECT_TRUE(m.system.OpenKeys().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProgramFilesTest,
    ::testing::Values(ProgramFilesCase{"Default", "C:\\Program Files", false, "C:\\Program Files\\Testanza"},
                      ProgramFilesCase{"Programme", "D:\\Programme", false, "D:\\Programme\\Testanza"},
                      ProgramFilesCase{"Missing", nullptr, false, "C:\\Program Files\\Testanza"},
                      ProgramFilesCase{"KeyRefused", "D:\\Programme", true, "C:\\Program Files\\Testanza"},
                      ProgramFilesCase{"TooLong", kTooLongValue.c_str(), false,
                                       "C:\\Program Files\\Testanza"}),
    [](const ::testing::TestParamInfo<ProgramFilesCase>& info) { return std::string(info.param.name); });

TEST_F(InstallerTest, ProgramsGroupFallsBackWhenTheShellCannotNameIt) {
  for (const char* op : {"SHGetSpecialFolderLocation", "SHGetPathFromIDListA"}) {
    SCOPED_TRACE(op);
    m.faults.clear();
    m.Fail(op);
    if (std::string(op) != "SHGetSpecialFolderLocation") AcceptFrontScreens();
    user.Do(kInstall, Action::PressEscape());
    Run();
    EXPECT_EQ(std::string(g_strProgramsGroupDir), "C:\\Windows\\Start Menu\\Programs\\Testanza");
    EXPECT_EQ(m.system.LiveItemLists(), 0);
  }
}

TEST_F(InstallerTest, ComFailureShowsAbortingErrorAndEndsWithoutShowingTheDialog) {
  m.system.coInitializeResult = os::E_FAIL;
  user.Answer("ERROR", os::IDOK, "Can't initialize Component Object Module - aborting installation");
  Run();
  const auto boxes = sim::EventsOf(m.transcript, Event::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Can't initialize Component Object Module - aborting installation");
  EXPECT_EQ(boxes[0].style, 0x30u);
  EXPECT_EQ(boxes[0].templateId, kInstall);  // owned by the still hidden dialog
  EXPECT_EQ(sim::DialogsShown(m.transcript), (std::vector<int>{kBackdrop, kWelcome, kAgreement}));
  EXPECT_FALSE(m.system.Find("C:\\Program Files\\Testanza"));
  EXPECT_FALSE(m.system.Key(product::kVendorKey));
  EXPECT_FALSE(m.system.Key(product::kAppPathsKey));
}

TEST_F(InstallerTest, EscapeAndCloseBoxEndTheDialogWithTwo) {
  bool first = true;
  for (Action a : {Action::PressEscape(), Action::CloseBox()}) {
    if (!first) AcceptFrontScreens();
    first = false;
    user.Do(kInstall, a);
    Run();
    const auto ended = sim::EventsOf(m.transcript, Event::DialogEnded);
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back().templateId, kInstall);
    EXPECT_EQ(ended.back().result, os::IDCANCEL);
    EXPECT_EQ(Boxes(), "");
  }
}

TEST_F(InstallerTest, InstallDialogIsTheOwnerlessMainWindowWithTheAppIcon) {
  user.Do(kInstall, Action::PressEscape(), [&](const DialogView&) {
    sim::Window* w = m.gui.Dialog(kInstall);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->owner, nullptr);
    EXPECT_EQ(m.gui.IconGroup(w->bigIcon), 128);
    EXPECT_EQ(w->smallIcon, w->bigIcon);
    EXPECT_EQ(AfxGetMainWnd()->m_hWnd, w->hwnd);
  });
  Run();
  EXPECT_EQ(AfxGetMainWnd(), nullptr);  // cleared when the window went
}

namespace {
struct BrowseCase {
  const char* name;
  const char* chosen;  // null: the user cancels
  const char* expected;
};
}  // namespace

class BrowseTest : public InstallerTest, public ::testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, ChosenFolderBecomesTheTarget) {
  const BrowseCase& c = GetParam();
  m.system.AddDrive('D');
  user.Do(kInstall, Action::ClickOn(kBrowse));
  if (c.chosen)
    user.BrowseTo(c.chosen);
  else
    user.CancelBrowse();
  user.Do(kInstall, Action::PressEscape(), [&](const DialogView& v) {
    EXPECT_EQ(v.textOf(kEdit), c.expected);
    EXPECT_EQ(std::string(Dialog()->m_strTargetDir), c.expected);
  });
  Run();
  const auto browses = sim::EventsOf(m.transcript, Event::Browse);
  ASSERT_EQ(browses.size(), 1u);
  EXPECT_EQ(browses[0].text, "Testanza Installation Folder");
  EXPECT_EQ(Boxes(), "");
  EXPECT_EQ(m.system.LiveItemLists(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, BrowseTest,
    ::testing::Values(BrowseCase{"Plain", "D:\\Tools", "D:\\Tools\\Testanza"},
                      BrowseCase{"HasName", "D:\\Apps\\Testanza 2", "D:\\Apps\\Testanza 2"},
                      BrowseCase{"CaseMatters", "D:\\apps\\testanza", "D:\\apps\\testanza\\Testanza"},
                      BrowseCase{"NameInParent", "D:\\TestanzaOld\\Sub", "D:\\TestanzaOld\\Sub"},
                      BrowseCase{"DriveRoot", "D:\\", "D:\\\\Testanza"},
                      BrowseCase{"Cancelled", nullptr, "C:\\Program Files\\Testanza"}),
    [](const ::testing::TestParamInfo<BrowseCase>& info) { return std::string(info.param.name); });

TEST_F(InstallerTest, BrowsedPathWithNoRoomForTheSuffixKeepsTheFolderAndSaysSo) {
  m.system.AddDrive('D');
  // 251 characters: "\Testanza" would need 260 with the terminating zero.
  const std::string longPath = "D:\\" + std::string(248, 'a');
  ASSERT_EQ(longPath.size(), 251u);
  user.Do(kInstall, Action::ClickOn(kBrowse))
      .BrowseTo(longPath)
      .Answer("ERROR", os::IDOK, "too long")
      .Do(kInstall, Action::PressEscape(),
          [&](const DialogView& v) { EXPECT_EQ(v.textOf(kEdit), "C:\\Program Files\\Testanza"); });
  Run();
  const auto boxes = sim::EventsOf(m.transcript, Event::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].style, 0x40u);
  EXPECT_EQ(boxes[0].templateId, kInstall);
}

TEST_F(InstallerTest, BrowsedPathThatJustFitsGetsTheSuffix) {
  m.system.AddDrive('D');
  const std::string path = "D:\\" + std::string(247, 'a');  // 250 + 9 = 259
  user.Do(kInstall, Action::ClickOn(kBrowse))
      .BrowseTo(path)
      .Do(kInstall, Action::PressEscape(),
          [&](const DialogView& v) { EXPECT_EQ(v.textOf(kEdit), path + "\\Testanza"); });
  Run();
  EXPECT_EQ(Boxes(), "");
}

TEST_F(InstallerTest, TypingInTheEditChangesTheTargetAtOnce) {
  const char* const typed[] = {"E:\\Somewhere", "", "C:\\Program Files\\Other Testanza"};
  for (const char* t : typed) {
    user.Do(kInstall, Action::TypeInto(kEdit, t));
  }
  user.Do(kInstall, Action::PressEscape(), [&](const DialogView& v) {
    EXPECT_EQ(std::string(Dialog()->m_strTargetDir), typed[2]);
    EXPECT_EQ(v.textOf(kEdit), typed[2]);
    EXPECT_EQ(std::string(Dialog()->m_strStatus), kFinalStatus);  // read back unchanged
  });
  Run();
}

TEST_F(InstallerTest, MissingVersionLibraryShowsOnlyItsErrorAndExitsWithZero) {
  user = sim::ScriptedUser();  // no screen comes before the error
  m.system.versionDllPresent = false;
  m.gui.moduleFileName = "C:\\Downloads\\TZSETUP.EXE";
  user.Answer("TZSETUP", os::IDOK);
  EXPECT_EQ(Run(), 0);
  const auto boxes = sim::EventsOf(m.transcript, Event::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Cannot install Testanza!\r\n\r\nVERSION.DLL is not available on your system.\r\n"
            "See your system administrator to enable version control.");
  EXPECT_EQ(boxes[0].caption, "TZSETUP");
  EXPECT_EQ(boxes[0].style, 0x10u);
  EXPECT_EQ(boxes[0].templateId, 0);
  EXPECT_EQ(boxes[0].owner, "");
  EXPECT_TRUE(sim::DialogsShown(m.transcript).empty());
  EXPECT_EQ(sim::ExitCode(m.transcript), 0);
}

TEST_F(InstallerTest, MinimisedDialogPaintsTheIconCentred) {
  m.gui.iconicTemplates.insert(kInstall);
  user.Do(kInstall, Action::PressEscape(), [&](const DialogView&) {
    sim::Window* w = m.gui.Dialog(kInstall);
    ASSERT_TRUE(w);
    sim::PaintDialog(w->hwnd);
    ASSERT_FALSE(m.gui.process.draws.empty());
    const sim::IconDraw& d = m.gui.process.draws.back();
    os::RECT rc;
    os::GetClientRect(w->hwnd, &rc);
    EXPECT_EQ(d.x, (rc.right - rc.left - 32 + 1) / 2);
    EXPECT_EQ(d.y, (rc.bottom - rc.top - 32 + 1) / 2);
    EXPECT_EQ(m.gui.IconGroup(d.icon), 128);
    const os::LRESULT dragIcon = os::SendMessageA(w->hwnd, os::WM_QUERYDRAGICON, 0, 0);
    EXPECT_EQ(reinterpret_cast<os::HICON>(dragIcon), d.icon);
  });
  Run();
}
