// The simulated registry against the rules the program relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

const char* const kVendor = "SOFTWARE\\DU Dodoridu\\Testanza\\1.20";

struct RegistryTest : ::testing::Test {
  sim::Machine m;
  RegistryTest() { sim::Use(&m); }
  ~RegistryTest() override { sim::Use(nullptr); }

  os::HKEY Open(const char* path, os::DWORD access, os::LONG expect = os::ERROR_SUCCESS) {
    os::HKEY key = nullptr;
    EXPECT_EQ(expect, os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, access, &key)) << path;
    return key;
  }
  std::vector<std::string> Children(os::HKEY key) {
    std::vector<std::string> names;
    char name[1024];
    for (os::DWORD i = 0;; ++i) {
      os::DWORD size = sizeof name;
      const os::LONG r = os::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
      if (r == os::ERROR_NO_MORE_ITEMS) break;
      EXPECT_EQ(os::ERROR_SUCCESS, r);
      if (r) break;
      EXPECT_EQ(std::strlen(name), size);
      names.push_back(name);
    }
    return names;
  }
};

TEST_F(RegistryTest, CreateMakesEveryMissingKeyWithTheClass) {
  os::HKEY key = nullptr;
  os::DWORD disposition = 0;
  ASSERT_EQ(os::ERROR_SUCCESS, os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, kVendor, 0, "Testanza", 0, os::KEY_WRITE,
                                                   nullptr, &key, &disposition));
  EXPECT_EQ(static_cast<os::DWORD>(os::REG_CREATED_NEW_KEY), disposition);
  EXPECT_EQ("Testanza", m.system.Key("SOFTWARE\\DU Dodoridu")->className);
  EXPECT_EQ("Testanza", m.system.Key(kVendor)->className);
  EXPECT_EQ("", m.system.Key("SOFTWARE")->className);  // it was there before
  const char value[] = "1709294400";
  EXPECT_EQ(os::ERROR_SUCCESS,
            os::RegSetValueExA(key, "", 0, os::REG_SZ, reinterpret_cast<const os::BYTE*>(value), sizeof value));
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(key));
  std::string text;
  ASSERT_TRUE(m.system.GetString(kVendor, "", &text));
  EXPECT_EQ("1709294400", text);
  EXPECT_EQ(sizeof value, m.system.Key(kVendor)->values[""].data.size());  // the zero is stored
  ASSERT_EQ(os::ERROR_SUCCESS, os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, "software\\du dodoridu", 0, "Other", 0,
                                                   os::KEY_WRITE, nullptr, &key, &disposition));
  EXPECT_EQ(static_cast<os::DWORD>(os::REG_OPENED_EXISTING_KEY), disposition);
  EXPECT_EQ("Testanza", m.system.Key("SOFTWARE\\DU Dodoridu")->className);
  os::RegCloseKey(key);
  EXPECT_TRUE(m.system.OpenKeys().empty());
}

TEST_F(RegistryTest, QueryReportsSizesAndMissingValues) {
  m.system.SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", "D:\\Programme");
  os::HKEY key = Open("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", os::KEY_READ);
  char buffer[260];
  os::DWORD type = 0, size = sizeof buffer;
  ASSERT_EQ(os::ERROR_SUCCESS, os::RegQueryValueExA(key, "programfilesdir", nullptr, &type,
                                                    reinterpret_cast<os::BYTE*>(buffer), &size));
  EXPECT_STREQ("D:\\Programme", buffer);
  EXPECT_EQ(13u, size);
  EXPECT_EQ(static_cast<os::DWORD>(os::REG_SZ), type);
  size = 12;
  EXPECT_EQ(os::ERROR_MORE_DATA, os::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                                                      reinterpret_cast<os::BYTE*>(buffer), &size));
  EXPECT_EQ(13u, size);
  size = 0;
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(13u, size);
  size = sizeof buffer;
  EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegQueryValueExA(key, "Nothing", nullptr, &type,
                                                           reinterpret_cast<os::BYTE*>(buffer), &size));
  EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegQueryValueExA(key, "", nullptr, &type,
                                                           reinterpret_cast<os::BYTE*>(buffer), &size));
  // A key opened for writing only cannot be read, and the other way round.
  const char v[] = "x";
  EXPECT_EQ(os::ERROR_ACCESS_DENIED,
            os::RegSetValueExA(key, "v", 0, os::REG_SZ, reinterpret_cast<const os::BYTE*>(v), sizeof v));
  os::RegCloseKey(key);
  key = Open("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", os::KEY_WRITE);
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                                                          reinterpret_cast<os::BYTE*>(buffer), &size));
  os::RegCloseKey(key);
}

TEST_F(RegistryTest, EnumeratesAlphabeticallyAndRefusesSmallBuffers) {
  for (const char* name : {"zeta", "Alpha", "beta", "Gamma"}) m.system.MakeKey(std::string("SOFTWARE\\E\\") + name);
  os::HKEY key = Open("SOFTWARE\\E", os::KEY_READ);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Gamma", "zeta"}), Children(key));
  char name[5];
  os::DWORD size = 5;  // "Alpha" needs 6
  EXPECT_EQ(os::ERROR_MORE_DATA, os::RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
  size = 5;
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegEnumKeyExA(key, 1, name, &size, nullptr, nullptr, nullptr, nullptr));
  EXPECT_STREQ("beta", name);
  os::RegCloseKey(key);
  key = Open("SOFTWARE\\E", os::KEY_WRITE);  // no enumeration right
  size = 5;
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
  os::RegCloseKey(key);
}

TEST_F(RegistryTest, DeletesOnlyChildlessKeys) {
  m.system.MakeKey("SOFTWARE\\V\\P\\1.20");
  os::HKEY parent = Open("SOFTWARE\\V", os::KEY_WRITE);
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegDeleteKeyA(parent, "P"));
  EXPECT_EQ(os::ERROR_FILE_NOT_FOUND, os::RegDeleteKeyA(parent, "Q"));
  os::HKEY p = nullptr;
  ASSERT_EQ(os::ERROR_SUCCESS, os::RegOpenKeyExA(parent, "P", 0, os::DELETE | os::KEY_ENUMERATE_SUB_KEYS, &p));
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegDeleteKeyA(p, "1.20"));
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegDeleteKeyA(parent, "P"));  // while p is still open
  char name[64];
  os::DWORD size = sizeof name;
  EXPECT_EQ(1018, os::RegEnumKeyExA(p, 0, name, &size, nullptr, nullptr, nullptr, nullptr));  // ERROR_KEY_DELETED
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(p));
  EXPECT_EQ(os::ERROR_SUCCESS, os::RegCloseKey(parent));
  EXPECT_EQ(os::ERROR_INVALID_HANDLE, os::RegCloseKey(parent));
  EXPECT_EQ(nullptr, m.system.Key("SOFTWARE\\V\\P"));
  EXPECT_NE(nullptr, m.system.Key("SOFTWARE\\V"));
}

TEST_F(RegistryTest, RefusedAccessDependsOnTheMask) {
  m.system.MakeKey("SOFTWARE\\R\\Locked");
  m.system.RefuseAccess("SOFTWARE\\R\\Locked", os::DELETE);
  os::HKEY key = Open("SOFTWARE\\R\\Locked", os::KEY_READ);  // reading is still allowed
  os::RegCloseKey(key);
  Open("SOFTWARE\\R\\Locked", os::DELETE | os::KEY_ENUMERATE_SUB_KEYS, os::ERROR_ACCESS_DENIED);
  os::HKEY parent = Open("SOFTWARE\\R", os::KEY_WRITE);
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegDeleteKeyA(parent, "Locked"));
  os::RegCloseKey(parent);
  m.system.RefuseAccess("SOFTWARE\\R", 0x4);  // no subkeys may be made below it
  os::DWORD disposition = 0;
  EXPECT_EQ(os::ERROR_ACCESS_DENIED, os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, "SOFTWARE\\R\\New", 0, "", 0,
                                                         os::KEY_WRITE, nullptr, &key, &disposition));
  EXPECT_EQ(nullptr, key);
  EXPECT_EQ(nullptr, m.system.Key("SOFTWARE\\R\\New"));
}

TEST_F(RegistryTest, OpenKeysListsWhatIsLeftOpen) {
  os::HKEY key = Open("SOFTWARE\\Microsoft", os::KEY_READ);
  EXPECT_EQ((std::vector<std::string>{"SOFTWARE\\Microsoft"}), m.system.OpenKeys());
  m.system.EndProcess();  // the process ends with it open
  EXPECT_EQ((std::vector<std::string>{"SOFTWARE\\Microsoft"}), m.system.OpenKeys());
  EXPECT_EQ(os::ERROR_INVALID_HANDLE, os::RegCloseKey(key));
  m.system.StartProcess();
  EXPECT_TRUE(m.system.OpenKeys().empty());
}

TEST_F(RegistryTest, FaultsAndBadPaths) {
  m.Fail("RegOpenKeyExA", "SOFTWARE\\Microsoft", os::ERROR_ACCESS_DENIED);
  Open("SOFTWARE\\Microsoft", os::KEY_READ, os::ERROR_ACCESS_DENIED);
  Open("SOFTWARE\\Missing", os::KEY_READ, os::ERROR_FILE_NOT_FOUND);
  Open("\\SOFTWARE", os::KEY_READ, 161);  // ERROR_BAD_PATHNAME
  m.Fail("RegSetValueExA", "Path", 5);
  os::HKEY key = Open("SOFTWARE", os::KEY_WRITE);
  const char v[] = "x";
  EXPECT_EQ(5, os::RegSetValueExA(key, "Path", 0, os::REG_SZ, reinterpret_cast<const os::BYTE*>(v), sizeof v));
  EXPECT_EQ(0, os::RegSetValueExA(key, "Other", 0, os::REG_SZ, reinterpret_cast<const os::BYTE*>(v), sizeof v));
  os::RegCloseKey(key);
}

}  // namespace
