// Special folders, item lists, the folder browser and ShellExecute.
#include <gtest/gtest.h>

#include <string>

#include "platform/os.h"
#include "platform/sim/machine.h"
#include "platform/sim/scripted_user.h"

namespace {

struct ShellTest : ::testing::Test {
  sim::Machine m;
  ShellTest() { sim::Use(&m); }
  ~ShellTest() override { sim::Use(nullptr); }

  // The path of a special folder as the installer gets it, or "<failed>".
  std::string Special(int csidl) {
    os::LPITEMIDLIST list = nullptr;
    if (os::SHGetSpecialFolderLocation(nullptr, csidl, &list) != os::S_OK) return "<failed>";
    char path[260];
    const bool ok = os::SHGetPathFromIDListA(list, path);
    os::CoTaskMemFree(list);
    return ok ? path : "<failed>";
  }

  // One browse in a process of its own: the path, "<cancel>" or "<no path>".
  std::string BrowseWith(sim::ScriptedUser& user) {
    std::string result;
    sim::RunProcess(m, user, [&] {
      char display[260] = "";
      os::BROWSEINFOA info{};
      info.pszDisplayName = display;
      info.lpszTitle = "Testanza Installation Folder";
      info.ulFlags = os::BIF_RETURNONLYFSDIRS;
      os::LPITEMIDLIST list = os::SHBrowseForFolderA(&info);
      if (!list) return result = "<cancel>", 0;
      char path[260];
      result = os::SHGetPathFromIDListA(list, path) ? std::string(path) + "|" + display : "<no path>";
      os::CoTaskMemFree(list);
      return 0;
    });
    return result;
  }
};

TEST_F(ShellTest, SpecialFoldersAreSettableAndCanFail) {
  EXPECT_EQ("C:\\Documents and Settings\\User\\Start Menu\\Programs", Special(os::CSIDL_PROGRAMS));
  m.system.desktopFolder = "D:\\Desk";
  EXPECT_EQ("D:\\Desk", Special(os::CSIDL_DESKTOP));
  m.system.programsFolder = "";
  EXPECT_EQ("<failed>", Special(os::CSIDL_PROGRAMS));
  m.Fail("SHGetSpecialFolderLocation", "0");  // the desktop only
  EXPECT_EQ("<failed>", Special(os::CSIDL_DESKTOP));
  m.system.programsFolder = "C:\\P";
  m.Fail("SHGetPathFromIDListA", "C:\\P");
  EXPECT_EQ("<failed>", Special(os::CSIDL_PROGRAMS));
  EXPECT_EQ(0, m.system.LiveItemLists());
}

TEST_F(ShellTest, BrowserAsksTheUserAndRecordsTheChoice) {
  sim::ScriptedUser user;
  user.BrowseTo("D:\\Tools").BrowseTo("D:\\").CancelBrowse().BrowseTo("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  EXPECT_EQ("D:\\Tools|Tools", BrowseWith(user));
  EXPECT_EQ("D:\\|Local Disk (D:)", BrowseWith(user));
  EXPECT_EQ("<cancel>", BrowseWith(user));
  EXPECT_EQ("<no path>", BrowseWith(user));  // a shell folder with no file-system path
  const std::vector<sim::Event> browses = sim::EventsOf(m.transcript, sim::Event::Browse);
  ASSERT_EQ(4u, browses.size());
  EXPECT_EQ("Testanza Installation Folder", browses[0].text);
  EXPECT_EQ("D:\\Tools", browses[0].detail);
  EXPECT_EQ(0, browses[2].result);
  EXPECT_EQ(0, m.system.LiveItemLists());
}

TEST_F(ShellTest, ShellExecuteRecordsTheLaunch) {
  m.system.PutFile("C:\\Program Files\\Testanza\\Testanza.exe", "MZ");
  const auto launch = [](const char* file, const char* dir) {
    return reinterpret_cast<intptr_t>(os::ShellExecuteA(nullptr, "open", file, nullptr, dir, os::SW_SHOW));
  };
  EXPECT_GT(launch("C:\\Program Files\\Testanza\\Testanza.exe", "C:\\Program Files\\Testanza"), 32);
  EXPECT_GT(launch("Testanza.exe", "C:\\Program Files\\Testanza"), 32);
  EXPECT_EQ(2, launch("C:\\Program Files\\Testanza\\Missing.exe", nullptr));
  const std::vector<sim::Event> launches = sim::EventsOf(m.transcript, sim::Event::Launch);
  ASSERT_EQ(3u, launches.size());
  EXPECT_EQ("C:\\Program Files\\Testanza\\Testanza.exe", launches[0].text);
  EXPECT_EQ("open|C:\\Program Files\\Testanza", launches[0].detail);
  EXPECT_EQ("open|", launches[2].detail);
}

}  // namespace
