// _findfirst/_findnext with the wildcard rules of Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

struct FindTest : ::testing::Test {
  sim::Machine m;
  FindTest() {
    sim::Use(&m);
    for (const char* name : {"Testanza.exe", "Testanza.hlp", "testanza.txt", "Testanza2.exe", "Uninstall.exe",
                             "Sample.TZ1", "README", "a.b.c"}) {
      m.system.PutFile(std::string("C:\\F\\") + name, "data");
    }
    m.system.MakeFolders("C:\\F\\Testanza");
    m.system.MakeFolders("C:\\Empty");
  }
  ~FindTest() override { sim::Use(nullptr); }

  // Every name the search reports, in order; empty when it finds nothing.
  std::vector<std::string> Search(const std::string& pattern) {
    std::vector<std::string> names;
    os::FindData data{};
    const intptr_t h = os::_findfirst(pattern.c_str(), &data);
    if (h == -1) return names;
    do names.push_back(data.name);
    while (os::_findnext(h, &data) == 0);
    EXPECT_EQ(0, os::_findclose(h));
    return names;
  }
};

typedef std::vector<std::string> Names;

TEST_F(FindTest, WildcardsMatchAsOnWindows) {
  const Names all = {".",          "..",           "a.b.c",        "README",        "Sample.TZ1", "Testanza",
                     "Testanza.exe", "Testanza.hlp", "testanza.txt", "Testanza2.exe", "Uninstall.exe"};
  const struct {
    const char* pattern;
    Names found;
  } cases[] = {
      {"C:\\F\\*.*", all},
      {"C:\\F\\*", all},
      {"C:/F/*.*", all},
      {"C:\\F\\Testanza.*", {"Testanza", "Testanza.exe", "Testanza.hlp", "testanza.txt"}},
      {"C:\\F\\*.exe", {"Testanza.exe", "Testanza2.exe", "Uninstall.exe"}},
      {"C:\\F\\*.", {".", "..", "README", "Testanza"}},
      {"C:\\F\\UNINSTALL.EXE", {"Uninstall.exe"}},
      {"C:\\F\\Testanza?.exe", {"Testanza.exe", "Testanza2.exe"}},  // "?" may match nothing before a dot
      {"C:\\F\\*.c", {"a.b.c"}},
      {"C:\\F\\*.b", {}},
      {"C:\\F\\nothing*", {}},
      {"C:\\F\\", {}},
      {"C:\\Missing\\*.*", {}},
      {"C:\\F\\README\\*.*", {}},
      {"C:\\Empty\\*.*", {".", ".."}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.found, Search(c.pattern)) << c.pattern;
}

TEST_F(FindTest, DriveRootListsNoDotEntries) {
  m.system.AddDrive('E');
  EXPECT_EQ(Names{}, Search("E:\\*.*"));
  m.system.PutFile("E:\\x", "");
  EXPECT_EQ(Names{"x"}, Search("E:\\*.*"));
}

TEST_F(FindTest, RelativePatternsUseTheCurrentFolder) {
  ASSERT_EQ(0, os::_chdir("C:\\F"));
  EXPECT_EQ(Names{"Uninstall.exe"}, Search("Uninstall.exe"));
  EXPECT_EQ(Names{"Uninstall.exe"}, Search("C:Uninstall.exe"));
  EXPECT_EQ(Names{"Uninstall.exe"}, Search("..\\F\\Uninstall.exe"));
}

TEST_F(FindTest, ReportsAttributesAndGoesOnWhileFilesAreDeleted) {
  m.system.SetReadOnly("C:\\F\\Testanza.hlp", true);
  os::FindData data{};
  const intptr_t h = os::_findfirst("C:\\F\\Testanza.*", &data);
  ASSERT_NE(-1, h);
  EXPECT_EQ("Testanza", std::string(data.name));
  EXPECT_TRUE(data.attrib & os::_A_SUBDIR);
  ASSERT_EQ(0, os::_findnext(h, &data));
  EXPECT_EQ("Testanza.exe", std::string(data.name));
  EXPECT_EQ(4u, data.size);
  EXPECT_EQ(0, os::_unlink("C:\\F\\Testanza.exe"));
  ASSERT_EQ(0, os::_findnext(h, &data));
  EXPECT_EQ("Testanza.hlp", std::string(data.name));
  EXPECT_EQ(os::_A_RDONLY, data.attrib & os::_A_RDONLY);
  ASSERT_EQ(0, os::_findnext(h, &data));
  EXPECT_EQ(-1, os::_findnext(h, &data));
  EXPECT_EQ(0, os::_findclose(h));
  EXPECT_EQ(-1, os::_findclose(h));
  EXPECT_EQ(-1, os::_findnext(h, &data));
}

}  // namespace
