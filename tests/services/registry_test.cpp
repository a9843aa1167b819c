// Registry entries: the exact values an installation writes, what happens
// when part of it cannot be written, and the deletion of whole subtrees.
#include <functional>

#include "platform/sim/system_state.h"
#include "product/product.h"
#include "services_fixture.h"

namespace services_test {
namespace {

const char kVendorVersion[] = "SOFTWARE\\DU Dodoridu\\Testanza\\1.20";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Testanza.exe";
const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Testanza";

// The bytes of a REG_SZ value: its text and one zero.
std::vector<uint8_t> Sz(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

class RegistryTest : public ServicesTest {
 protected:
  bool Update(const std::string& targetDir) {
    bool result = false;
    Run([&](CInstallDlg& dlg) {
      dlg.m_strTargetDir = targetDir.c_str();
      result = dlg.UpdateRegistry();
      EXPECT_EQ(machine.system.OpenKeys(), std::vector<std::string>{});
    });
    return result;
  }

  // The value as stored, type and bytes; an empty vector when it is missing.
  std::vector<uint8_t> Value(const std::string& key, const std::string& name, uint32_t* type = nullptr) const {
    const sim::RegKeyPtr k = machine.system.Key(key);
    if (!k) return {};
    const auto it = k->values.find(name);
    if (it == k->values.end()) return {};
    if (type) *type = it->second.type;
    return it->second.data;
  }
};

TEST_F(RegistryTest, WritesTheThreeKeysWithTheirExactValues) {
  machine.system.clock = 1234567890;
  EXPECT_TRUE(Update("C:\\Program Files\\Testanza"));
  struct Expected {
    const char* key;
    const char* name;
    std::string text;
  };
  const Expected values[] = {
      {kVendorVersion, "", "1234567890"},
      {kAppPaths, "", "C:\\Program Files\\Testanza\\Testanza.exe"},
      {kAppPaths, "Path", "C:\\Program Files\\Testanza"},
      {kUninstall, "DisplayName", "Testanza 1.20"},
      // A command line, quoted for the blank in "Program Files"; the paths above stay bare.
      {kUninstall, "UninstallString", "\"C:\\Program Files\\Testanza\\Uninstall.exe\""},
  };
  for (const Expected& v : values) {
    uint32_t type = 0;
    EXPECT_EQ(Value(v.key, v.name, &type), Sz(v.text)) << v.key << " " << v.name;
    EXPECT_EQ(type, os::REG_SZ) << v.key << " " << v.name;
  }
  for (const char* key : {kVendorVersion, kAppPaths, kUninstall}) {
    EXPECT_EQ(machine.system.Key(key)->values.size(), key == kVendorVersion ? 1u : 2u) << key;
    EXPECT_EQ(machine.system.Key(key)->className, "Testanza") << key;
  }
}

TEST_F(RegistryTest, OverwritesTheValuesOfExistingKeysAndKeepsTheOthers) {
  machine.system.SetString(kAppPaths, "Path", "D:\\Old");
  machine.system.SetString(kAppPaths, "Extra", "kept");
  machine.system.SetString(kUninstall, "UninstallString", "D:\\Old\\Uninstall.exe");
  machine.system.SetString(kUninstall, "Publisher", "kept too");
  machine.system.SetString(kVendorVersion, "", "1");
  machine.system.clock = 1700000001;
  EXPECT_TRUE(Update("D:\\New"));
  EXPECT_EQ(Value(kAppPaths, "Path"), Sz("D:\\New"));
  EXPECT_EQ(Value(kAppPaths, "Extra"), Sz("kept"));
  EXPECT_EQ(Value(kUninstall, "UninstallString"), Sz("\"D:\\New\\Uninstall.exe\""));
  EXPECT_EQ(Value(kUninstall, "Publisher"), Sz("kept too"));
  EXPECT_EQ(Value(kVendorVersion, ""), Sz("1700000001"));
  EXPECT_EQ(machine.system.Key(kAppPaths)->className, "") << "an existing key is opened, not made anew";
}

// The uninstall command is the longest value: the folder and 16 characters.
TEST_F(RegistryTest, AValueBeyond259CharactersIsLeftOutAndFailsTheUpdate) {
  const std::string fits = "C:\\" + std::string(240, 'f');  // 243 + 16 = 259
  EXPECT_TRUE(Update(fits));
  EXPECT_EQ(Value(kUninstall, "UninstallString"), Sz("\"" + fits + "\\Uninstall.exe\""));

  const std::string tooLong = "C:\\" + std::string(241, 'g');  // 244 + 16 = 260
  EXPECT_FALSE(Update(tooLong));
  EXPECT_EQ(Value(kUninstall, "UninstallString"), Sz("\"" + fits + "\\Uninstall.exe\"")) << "left as it was";
  EXPECT_EQ(Value(kAppPaths, ""), Sz(tooLong + "\\Testanza.exe"));  // 257 characters
  EXPECT_EQ(Value(kAppPaths, "Path"), Sz(tooLong));
}

struct FaultCase {
  const char* name;
  const char* op;
  const char* match;
  const char* missingKey;    // the key that must not have been made, or null
  const char* missingValue;  // in kUninstall or kAppPaths, the value not written, or null
};
void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class RegistryFaultTest : public RegistryTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RegistryFaultTest, TriesEveryKeyAndReportsTheFailure) {
  const FaultCase& c = GetParam();
  machine.Fail(c.op, c.match);
  EXPECT_FALSE(Update("C:\\Program Files\\Testanza"));
  if (c.missingKey) {
    EXPECT_EQ(machine.system.Key(c.missingKey), nullptr);
  }
  struct Written {
    const char* key;
    const char* name;
  };
  const Written all[] = {{kVendorVersion, ""}, {kAppPaths, ""}, {kAppPaths, "Path"},
                         {kUninstall, "DisplayName"}, {kUninstall, "UninstallString"}};
  for (const Written& w : all) {
    const bool skipped = (c.missingKey && std::string(w.key) == c.missingKey) ||
                         (c.missingValue && std::string(w.name) == c.missingValue);
    EXPECT_EQ(Value(w.key, w.name).empty(), skipped) << w.key << " " << w.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RegistryFaultTest,
    ::testing::Values(FaultCase{"VendorKeyCannotBeMade", "RegCreateKeyExA", kVendorVersion, kVendorVersion, nullptr},
                      FaultCase{"AppPathsKeyCannotBeMade", "RegCreateKeyExA", kAppPaths, kAppPaths, nullptr},
                      FaultCase{"UninstallKeyCannotBeMade", "RegCreateKeyExA", kUninstall, kUninstall, nullptr},
                      FaultCase{"PathCannotBeSet", "RegSetValueExA", "Path", nullptr, "Path"},
                      FaultCase{"UninstallStringCannotBeSet", "RegSetValueExA", "UninstallString", nullptr,
                                "UninstallString"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, AKeyRefusingWritesIsNotTakenForOneThatCanBeMade) {
  machine.system.MakeKey(kUninstall);
  machine.system.RefuseAccess(kUninstall, os::KEY_WRITE);
  EXPECT_FALSE(Update("C:\\Program Files\\Testanza"));
  EXPECT_TRUE(machine.system.Key(kUninstall)->values.empty());
  EXPECT_EQ(Value(kAppPaths, "Path"), Sz("C:\\Program Files\\Testanza"));
}

// ---- deleting subtrees ------------------------------------------------------------------

const char kParent[] = "SOFTWARE\\Parent";

class DeleteTreeTest : public RegistryTest {
 protected:
  // Parent\T with A, B (B1, B2 with B2x, B3) and C below it.
  DeleteTreeTest() {
    for (const char* key : {"T\\A", "T\\B\\B1", "T\\B\\B2\\B2x", "T\\B\\B3", "T\\C", "Sibling"})
      machine.system.MakeKey(std::string(kParent) + "\\" + key);
  }

  os::LONG DeleteTree(const char* subKey) {
    os::LONG code = -1;
    Run([&](CInstallDlg& dlg) {
      os::HKEY parent = nullptr;
      ASSERT_EQ(os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, kParent, 0, os::KEY_WRITE, &parent), 0);
      code = dlg.DeleteRegistryTree(parent, subKey);
      os::RegCloseKey(parent);
      EXPECT_EQ(machine.system.OpenKeys(), std::vector<std::string>{});
    });
    return code;
  }

  bool Has(const std::string& key) const { return machine.system.Key(std::string(kParent) + "\\" + key) != nullptr; }
  std::vector<std::string> Remaining() const {
    std::vector<std::string> left;
    for (const char* key : {"T", "T\\A", "T\\B", "T\\B\\B1", "T\\B\\B2", "T\\B\\B2\\B2x", "T\\B\\B3", "T\\C"})
      if (Has(key)) left.push_back(key);
    return left;
  }
  const std::vector<std::string> kWhole = {"T", "T\\A", "T\\B", "T\\B\\B1", "T\\B\\B2", "T\\B\\B2\\B2x",
                                           "T\\B\\B3", "T\\C"};
};

TEST_F(DeleteTreeTest, DeletesTheWholeSubtreeAndNothingBeside) {
  EXPECT_EQ(DeleteTree("T"), 0);
  EXPECT_EQ(Remaining(), std::vector<std::string>{});
  EXPECT_TRUE(Has("Sibling"));
  EXPECT_NE(machine.system.Key(kParent), nullptr);
}

TEST_F(DeleteTreeTest, AnEmptyOrNullNameTouchesNothing) {
  EXPECT_EQ(DeleteTree(""), os::ERROR_BADKEY);
  EXPECT_EQ(DeleteTree(nullptr), os::ERROR_BADKEY);
  EXPECT_EQ(Remaining(), kWhole);
  EXPECT_TRUE(Has("Sibling"));
}

TEST_F(DeleteTreeTest, AMissingOrRefusedKeyCannotBeOpened) {
  EXPECT_EQ(DeleteTree("Missing"), os::ERROR_CANTOPEN);
  machine.system.RefuseAccess(std::string(kParent) + "\\T", os::DELETE);
  EXPECT_EQ(DeleteTree("T"), os::ERROR_CANTOPEN);
  EXPECT_EQ(Remaining(), kWhole);
}

// Children go in index order: A, then B's B1, then B2 fails.
TEST_F(DeleteTreeTest, ADescendantThatCannotBeOpenedStopsTheDeletionThere) {
  machine.system.RefuseAccess(std::string(kParent) + "\\T\\B\\B2", os::KEY_ENUMERATE_SUB_KEYS);
  EXPECT_EQ(DeleteTree("T"), os::ERROR_CANTOPEN);
  EXPECT_EQ(Remaining(), (std::vector<std::string>{"T", "T\\B", "T\\B\\B2", "T\\B\\B2\\B2x", "T\\B\\B3", "T\\C"}));
}

TEST_F(DeleteTreeTest, AFailedEnumerationOrDeletionDeepDownPassesItsCodeUp) {
  machine.Fail("RegDeleteKeyA", "B2x", 1234, 1);
  EXPECT_EQ(DeleteTree("T"), 1234);
  EXPECT_EQ(Remaining(), (std::vector<std::string>{"T", "T\\B", "T\\B\\B2", "T\\B\\B2\\B2x", "T\\B\\B3", "T\\C"}));
  machine.Fail("RegEnumKeyExA", std::string(kParent) + "\\T\\B\\B3", 1235);
  EXPECT_EQ(DeleteTree("T"), 1235);
  EXPECT_EQ(Remaining(), (std::vector<std::string>{"T", "T\\B", "T\\B\\B3", "T\\C"}));
}

TEST_F(DeleteTreeTest, DeleteRegistryKeyRemovesOneSubtreeAndIsSilentWhenItCannot) {
  Run([](CInstallDlg& dlg) {
    dlg.DeleteRegistryKey("SOFTWARE\\NoSuchParent", "T");
    dlg.DeleteRegistryKey(kParent, "NoSuchKey");
    dlg.DeleteRegistryKey(kParent, "T");
  });
  EXPECT_EQ(Remaining(), std::vector<std::string>{});
  EXPECT_TRUE(Has("Sibling"));
  EXPECT_EQ(machine.system.OpenKeys(), std::vector<std::string>{});
  EXPECT_EQ(Boxes(), std::vector<Box>{});
}

}  // namespace
}  // namespace services_test
