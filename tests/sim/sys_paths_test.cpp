// Path resolution and the process's current drive and folders, through the
// C run-time calls that the folder preparation makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

struct PathsTest : ::testing::Test {
  sim::Machine m;
  PathsTest() {
    sim::Use(&m);
    m.system.AddDrive('D');
    m.system.MakeFolders("C:\\A\\B");
    m.system.MakeFolders("D:\\Data\\Sub");
    m.system.PutFile("C:\\A\\file.txt", "x");
    EXPECT_EQ(0, os::_chdir("C:\\A"));
  }
  ~PathsTest() override { sim::Use(nullptr); }
  std::string Cwd() {
    char buffer[260];
    return os::_getcwd(buffer, sizeof buffer) ? buffer : "<failed>";
  }
};

// One call and what it leaves: each row starts where the one before ended.
struct Step {
  const char* op;  // "chdir", "mkdir", "rmdir", "chdrive"
  std::string arg;
  int result;
  const char* cwd;
};

int Perform(const Step& s) {
  const std::string op = s.op;
  if (op == "chdir") return os::_chdir(s.arg.c_str());
  if (op == "mkdir") return os::_mkdir(s.arg.c_str());
  if (op == "rmdir") return os::_rmdir(s.arg.c_str());
  return os::_chdrive(std::stoi(s.arg));
}

TEST_F(PathsTest, FollowsWindowsRulesStepByStep) {
  const Step steps[] = {
      {"chdir", "B", 0, "C:\\A\\B"},
      {"chdir", "..", 0, "C:\\A"},
      {"chdir", "B\\", 0, "C:\\A\\B"},              // trailing backslash
      {"chdir", "\\", 0, "C:\\"},
      {"chdir", "", -1, "C:\\"},                    // an empty name is no folder
      {"chdir", "Missing", -1, "C:\\"},
      {"chdir", "A\\\\B", 0, "C:\\A\\B"},           // doubled backslash
      {"chdir", "C:/A", 0, "C:\\A"},                // forward slash
      {"chdir", "\\a\\b", 0, "C:\\a\\b"},           // names ignore case; the text is kept as typed
      {"chdir", ".\\..\\.", 0, "C:\\a"},
      {"chdir", "file.txt", -1, "C:\\a"},           // a file is no folder
      {"chdir", "D:\\Data", 0, "D:\\Data"},         // another drive's folder moves the drive too
      {"chdrive", "3", 0, "C:\\a"},                 // back on C: in C:'s own folder
      {"chdir", "D:Sub", 0, "D:\\Data\\Sub"},       // relative to D:'s current folder
      {"chdrive", "3", 0, "C:\\a"},
      {"chdrive", "4", 0, "D:\\Data\\Sub"},
      {"chdir", "\\", 0, "D:\\"},
      {"chdrive", "0", -1, "D:\\"},
      {"chdrive", "27", -1, "D:\\"},
      {"chdrive", "32", -1, "D:\\"},
      {"chdrive", "5", -1, "D:\\"},                 // no drive E:
      {"mkdir", "Apps", 0, "D:\\"},
      {"mkdir", "Apps", -1, "D:\\"},                // already there
      {"mkdir", "", -1, "D:\\"},
      {"mkdir", "New\\", 0, "D:\\"},
      {"mkdir", "X\\Y", -1, "D:\\"},                // parent missing
      {"mkdir", "bad|name", -1, "D:\\"},
      {"mkdir", "1:\\x", -1, "D:\\"},
      {"mkdir", "\\\\server\\share\\x", -1, "D:\\"},
      {"chdir", "Apps", 0, "D:\\Apps"},
      {"rmdir", "D:\\Apps", -1, "D:\\Apps"},        // the process stands in it
      {"chdir", "..", 0, "D:\\"},
      {"rmdir", "Apps", 0, "D:\\"},
      {"rmdir", "Data", -1, "D:\\"},                // not empty
      {"rmdir", "D:\\", -1, "D:\\"},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(s.result, Perform(s)) << s.op << " \"" << s.arg << "\"";
    EXPECT_EQ(s.cwd, Cwd()) << "after " << s.op << " \"" << s.arg << "\"";
  }
  EXPECT_TRUE(m.system.IsFolder("D:\\New"));
  EXPECT_FALSE(m.system.IsFolder("D:\\Apps"));
}

TEST_F(PathsTest, DriveNotReadyRefusesTheDriveChange) {
  m.system.AddDrive('E').usable = false;
  EXPECT_EQ(-1, os::_chdrive(5));
  EXPECT_EQ("C:\\A", Cwd());
}

TEST_F(PathsTest, DriveChangeFailsWhenItsFolderWasRemoved) {
  ASSERT_EQ(0, os::_chdir("D:\\Data\\Sub"));
  ASSERT_EQ(0, os::_chdrive(3));
  ASSERT_TRUE(m.system.Remove("D:\\Data"));
  EXPECT_EQ(-1, os::_chdrive(4));
  EXPECT_EQ("C:\\A", Cwd());
}

TEST_F(PathsTest, GetcwdNeedsRoomForTheTerminatingZero) {
  char exact[5];  // "C:\A" and its zero
  EXPECT_EQ(exact, os::_getcwd(exact, 5));
  char small[4];
  EXPECT_EQ(nullptr, os::_getcwd(small, 4));
}

TEST_F(PathsTest, LongPathsAreRefused) {
  const std::string name(120, 'n');
  ASSERT_EQ(0, os::_mkdir(name.c_str()));  // C:\A\nnn...: 125 characters
  // A new folder needs room for an 8.3 name below it: 247 characters at most.
  EXPECT_EQ(-1, os::_mkdir((name + "\\" + std::string(122, 'm')).c_str()));
  EXPECT_EQ(0, os::_mkdir((name + "\\" + std::string(121, 'm')).c_str()));
}

TEST_F(PathsTest, EachProcessStartsInTheStartFolder) {
  m.system.startFolder = "D:\\Data";
  ASSERT_EQ(0, os::_chdir("C:\\A\\B"));
  m.system.StartProcess();
  EXPECT_EQ("D:\\Data", Cwd());
  EXPECT_EQ(0, os::_chdrive(3));
  EXPECT_EQ("C:\\", Cwd());  // the other drives start at their roots
}

TEST_F(PathsTest, FaultsFailTheNamedCallOnly) {
  m.Fail("_chdir", "B");
  EXPECT_EQ(-1, os::_chdir("B"));
  EXPECT_EQ(0, os::_chdir("C:\\A\\B"));
  m.Fail("_chdrive", "D:", 0, 1);
  EXPECT_EQ(-1, os::_chdrive(4));
  EXPECT_EQ(0, os::_chdrive(4));
}

}  // namespace
