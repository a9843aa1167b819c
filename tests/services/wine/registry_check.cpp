// The registry entries through the real registry: the exact bytes of every
// value, and the deletion of whole subtrees with its result codes.
#include "platform/os.h"
#include "product/product.h"
#include "ui/install_dlg.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>

#include <ctime>

#include "check.h"

namespace wine_check {
namespace {

// The value's type and bytes as stored, "missing" when there is none.
std::string Stored(const char* key, const char* name) {
  HKEY open = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &open) != ERROR_SUCCESS) return "missing key";
  char data[1024];
  DWORD type = 0, size = sizeof data;
  const LONG rc = RegQueryValueExA(open, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(open);
  if (rc != ERROR_SUCCESS) return "missing";
  return (type == REG_SZ ? "REG_SZ:" : "type " + std::to_string(type) + ":") + std::string(data, size);
}

std::string Sz(const std::string& text) { return "REG_SZ:" + text + std::string(1, '\0'); }

bool KeyExists(const std::string& path) {
  HKEY open = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &open) != ERROR_SUCCESS) return false;
  RegCloseKey(open);
  return true;
}

void CheckUpdate() {
  CInstallDlg dlg;
  dlg.m_strTargetDir = "C:\\Program Files\\Testanza";
  const std::time_t before = std::time(nullptr);
  CHECK(dlg.UpdateRegistry());
  const std::time_t after = std::time(nullptr);

  const std::string vendor = std::string(product::kVendorVersionKeyPrefix) + product::kVersion;
  const std::string stamp = Stored(vendor.c_str(), "");
  bool inRange = false;
  for (std::time_t t = before; t <= after; ++t) inRange = inRange || stamp == Sz(std::to_string(t));
  CHECK(inRange);
  CHECK_EQ(Stored(product::kAppPathsKey, ""), Sz("C:\\Program Files\\Testanza\\Testanza.exe"));
  CHECK_EQ(Stored(product::kAppPathsKey, "Path"), Sz("C:\\Program Files\\Testanza"));
  CHECK_EQ(Stored(product::kUninstallKey, "DisplayName"), Sz("Testanza 1.20"));
  CHECK_EQ(Stored(product::kUninstallKey, "UninstallString"), Sz("\"C:\\Program Files\\Testanza\\Uninstall.exe\""));

  dlg.DeleteRegistryKey("SOFTWARE", "DU Dodoridu");
  dlg.DeleteRegistryKey(product::kAppPathsParent, product::kProgramFile);
  dlg.DeleteRegistryKey(product::kUninstallParent, product::kName);
  CHECK(!KeyExists(product::kVendorKey));
  CHECK(!KeyExists(product::kAppPathsKey));
  CHECK(!KeyExists(product::kUninstallKey));
  CHECK(KeyExists(product::kAppPathsParent));
}

void CheckDeleteTree() {
  const std::string parent = "SOFTWARE\\services check";
  for (const char* key : {"\\T\\A", "\\T\\B\\B1\\B1x", "\\T\\B\\B2", "\\T\\C", "\\Sibling"}) {
    HKEY made = nullptr;
    CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (parent + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &made,
                          nullptr) == ERROR_SUCCESS);
    RegCloseKey(made);
  }
  CInstallDlg dlg;
  HKEY open = nullptr;
  CHECK(RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent.c_str(), 0, KEY_WRITE, &open) == ERROR_SUCCESS);
  CHECK(dlg.DeleteRegistryTree(reinterpret_cast<os::HKEY>(open), "") == ERROR_BADKEY);
  CHECK(dlg.DeleteRegistryTree(reinterpret_cast<os::HKEY>(open), nullptr) == ERROR_BADKEY);
  CHECK(dlg.DeleteRegistryTree(reinterpret_cast<os::HKEY>(open), "Missing") == ERROR_CANTOPEN);
  CHECK(dlg.DeleteRegistryTree(reinterpret_cast<os::HKEY>(open), "T") == ERROR_SUCCESS);
  RegCloseKey(open);
  CHECK(!KeyExists(parent + "\\T"));
  CHECK(KeyExists(parent + "\\Sibling"));
  dlg.DeleteRegistryKey("SOFTWARE", "services check");
  CHECK(!KeyExists(parent));
}

}  // namespace

void CheckRegistry() {
  CheckUpdate();
  CheckDeleteTree();
  CHECK(TakeBoxes().empty());
}

}  // namespace wine_check
