// The Windows rules of the file calls: what fopen, rename, remove, _rmdir,
// SetFileAttributesA and CreateFileA refuse, and what they leave behind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

struct FilesTest : ::testing::Test {
  sim::Machine m;
  FilesTest() {
    sim::Use(&m);
    m.system.MakeFolders("C:\\T\\Sub");
    EXPECT_EQ(0, os::_chdir("C:\\T"));
  }
  ~FilesTest() override { sim::Use(nullptr); }
  std::string Read(const char* name) { return m.system.Contents(name); }
  bool Write(const char* name, const std::string& text) {
    os::FILE* f = os::fopen(name, "wb");
    if (!f) return false;
    const size_t n = os::fwrite(text.data(), 1, text.size(), f);
    os::fclose(f);
    return n == text.size();
  }
};

TEST_F(FilesTest, FopenWbCreatesAndTruncatesWithoutTranslation) {
  ASSERT_TRUE(Write("TZ.MSZ", "long old\ncontent"));
  ASSERT_TRUE(Write("tz.msz", "new\n"));
  EXPECT_EQ("new\n", Read("C:\\T\\TZ.MSZ"));
  EXPECT_EQ((std::vector<std::string>{"Sub", "TZ.MSZ"}), m.system.List("C:\\T"));  // the first name stays
}

TEST_F(FilesTest, FopenWbRefusals) {
  m.system.PutFile("C:\\T\\ro.txt", "keep");
  m.system.SetReadOnly("C:\\T\\ro.txt", true);
  m.system.PutFile("C:\\T\\busy.txt", "keep");
  m.system.HoldOpen("C:\\T\\busy.txt", true);
  for (const char* name : {"ro.txt", "busy.txt", "Sub", "Missing\\x.txt", "", "Sub\\"}) {
    EXPECT_EQ(nullptr, os::fopen(name, "wb")) << name;
  }
  EXPECT_EQ("keep", Read("ro.txt"));
  EXPECT_EQ("keep", Read("busy.txt"));
}

TEST_F(FilesTest, AFaultMakesAShortWrite) {
  m.Fail("fwrite", "TZ.MSZ", 3);
  os::FILE* f = os::fopen("TZ.MSZ", "wb");
  ASSERT_NE(nullptr, f);
  EXPECT_EQ(3u, os::fwrite("abcdefgh", 1, 8, f));
  EXPECT_EQ(0, os::fclose(f));
  EXPECT_EQ("abc", Read("TZ.MSZ"));
  EXPECT_EQ(-1, os::fclose(f));  // already closed
}

TEST_F(FilesTest, RenameNeverReplaces) {
  m.system.PutFile("C:\\T\\TZ.XXX", "new");
  m.system.PutFile("C:\\T\\Testanza.exe", "old");
  EXPECT_EQ(-1, os::rename("TZ.XXX", "Testanza.exe"));
  EXPECT_EQ(-1, os::rename("TZ.XXX", "TESTANZA.EXE"));
  EXPECT_EQ("new", Read("TZ.XXX"));
  EXPECT_EQ("old", Read("Testanza.exe"));
  ASSERT_EQ(0, os::remove("Testanza.exe"));
  EXPECT_EQ(0, os::rename("TZ.XXX", "Testanza.exe"));
  EXPECT_EQ("new", Read("Testanza.exe"));
  EXPECT_FALSE(m.system.IsFile("TZ.XXX"));
}

TEST_F(FilesTest, RenameCases) {
  m.system.PutFile("C:\\T\\a.txt", "a");
  m.system.PutFile("C:\\T\\ro.txt", "r");
  m.system.SetReadOnly("C:\\T\\ro.txt", true);
  m.system.PutFile("C:\\T\\busy.txt", "b");
  m.system.HoldOpen("C:\\T\\busy.txt", true);
  EXPECT_EQ(0, os::rename("a.txt", "A.TXT"));  // only the case changes
  EXPECT_EQ((std::vector<std::string>{"A.TXT", "busy.txt", "ro.txt", "Sub"}), m.system.List("C:\\T"));
  EXPECT_EQ(0, os::rename("ro.txt", "Sub\\ro2.txt"));  // read-only files may move
  EXPECT_EQ(-1, os::rename("busy.txt", "free.txt"));
  EXPECT_EQ(-1, os::rename("A.TXT", "Missing\\a.txt"));
  EXPECT_EQ(-1, os::rename("nothing", "x"));
  EXPECT_EQ(-1, os::rename("Sub", "Sub\\Inner"));  // a folder into itself
  EXPECT_EQ(-1, os::rename("C:\\T", "C:\\T2"));     // the process stands in it
  EXPECT_TRUE(m.system.IsFile("C:\\T\\Sub\\ro2.txt"));
}

TEST_F(FilesTest, RemoveRefusesReadOnlyHeldOpenAndFolders) {
  m.system.PutFile("C:\\T\\ro.txt", "r");
  m.system.SetReadOnly("C:\\T\\ro.txt", true);
  m.system.PutFile("C:\\T\\busy.txt", "b");
  m.system.HoldOpen("C:\\T\\busy.txt", true);
  EXPECT_EQ(-1, os::remove("ro.txt"));
  EXPECT_EQ(-1, os::_unlink("busy.txt"));
  EXPECT_EQ(-1, os::remove("Sub"));
  EXPECT_EQ(-1, os::remove("missing"));
  // Clearing the attribute works on a held file, but it still cannot go.
  EXPECT_EQ(os::TRUE, os::SetFileAttributesA("busy.txt", os::FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(-1, os::remove("busy.txt"));
  EXPECT_EQ(os::TRUE, os::SetFileAttributesA("ro.txt", os::FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(0, os::remove("ro.txt"));
  EXPECT_TRUE(m.system.IsFile("busy.txt"));
}

TEST_F(FilesTest, OwnOpenStreamBlocksDeletion) {
  os::FILE* f = os::fopen("TZ.MSZ", "wb");
  ASSERT_NE(nullptr, f);
  EXPECT_EQ(-1, os::remove("TZ.MSZ"));
  EXPECT_EQ(-1, os::rename("TZ.MSZ", "other"));
  os::fclose(f);
  EXPECT_EQ(0, os::remove("TZ.MSZ"));
}

TEST_F(FilesTest, EndOfProcessClosesWhatItLeftOpen) {
  ASSERT_NE(nullptr, os::fopen("TZ.MSZ", "wb"));
  m.system.EndProcess();
  m.system.StartProcess();
  EXPECT_EQ(0, os::remove("C:\\T\\TZ.MSZ"));
}

TEST_F(FilesTest, CreateFileForTheTimeStamp) {
  m.system.PutFile("C:\\T\\ro.txt", "r");
  m.system.SetReadOnly("C:\\T\\ro.txt", true);
  m.system.PutFile("C:\\T\\busy.txt", "b");
  m.system.HoldOpen("C:\\T\\busy.txt", true);
  m.system.PutFile("C:\\T\\ok.txt", "o");
  const os::DWORD rw = os::GENERIC_READ | os::GENERIC_WRITE;
  auto open = [&](const char* name) {
    return os::CreateFileA(name, rw, 0, nullptr, os::OPEN_EXISTING, os::FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const struct {
    const char* name;
    os::DWORD error;
  } refused[] = {{"missing.txt", os::ERROR_FILE_NOT_FOUND},
                 {"Missing\\x.txt", os::ERROR_PATH_NOT_FOUND},
                 {"ro.txt", os::ERROR_ACCESS_DENIED},
                 {"busy.txt", os::ERROR_SHARING_VIOLATION},
                 {"Sub", os::ERROR_ACCESS_DENIED}};
  for (const auto& r : refused) {
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, open(r.name)) << r.name;
    EXPECT_EQ(r.error, os::GetLastError()) << r.name;
  }
  const os::HANDLE h = open("ok.txt");
  ASSERT_NE(os::INVALID_HANDLE_VALUE, h);
  EXPECT_EQ(os::INVALID_HANDLE_VALUE, open("ok.txt"));  // no sharing
  EXPECT_EQ(os::ERROR_SHARING_VIOLATION, os::GetLastError());
  EXPECT_EQ(-1, os::remove("ok.txt"));
  const sim::FileTime stamp = sim::MakeFileTime(2002, 7, 28, 0, 20, 0);
  const os::FILETIME ft = {static_cast<os::DWORD>(stamp), static_cast<os::DWORD>(stamp >> 32)};
  EXPECT_EQ(os::TRUE, os::SetFileTime(h, &ft, &ft, &ft));
  EXPECT_EQ(os::TRUE, os::CloseHandle(h));
  EXPECT_EQ(os::FALSE, os::SetFileTime(h, &ft, &ft, &ft));
  const sim::NodePtr node = m.system.Find("C:\\T\\ok.txt");
  EXPECT_EQ(stamp, node->created);
  EXPECT_EQ(stamp, node->accessed);
  EXPECT_EQ(stamp, node->written);
  EXPECT_EQ(0, os::remove("ok.txt"));
}

TEST_F(FilesTest, SetFileTimeNeedsWriteAccess) {
  m.system.PutFile("C:\\T\\ok.txt", "o");
  const os::HANDLE h = os::CreateFileA("ok.txt", os::GENERIC_READ, 1, nullptr, os::OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(os::INVALID_HANDLE_VALUE, h);
  const os::FILETIME ft = {1, 1};
  EXPECT_EQ(os::FALSE, os::SetFileTime(h, &ft, &ft, &ft));
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::GetLastError());
  os::CloseHandle(h);
}

TEST_F(FilesTest, NewFilesTakeTheClock) {
  m.system.clock = 1000000000;
  ASSERT_TRUE(Write("new.txt", "n"));
  const sim::NodePtr node = m.system.Find("new.txt");
  EXPECT_EQ(sim::FileTimeFromUnix(1000000000), node->created);
  EXPECT_EQ(sim::FileTimeFromUnix(1000000000), node->written);
}

}  // namespace
