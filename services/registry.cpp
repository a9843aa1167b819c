// The product's registry entries: written at the end of an installation,
// deleted with their whole subtree on rollback and before a reinstallation.
#include "product/product.h"
#include "services/handles.h"
#include "ui/install_dlg.h"

namespace {

struct StringValue {
  const char* name;  // "" is the key's default value
  CString data;
};

// Values are paths and names; the system's path length bounds them.
constexpr int kMaxValueLength = product::kPathBuffer - 1;

bool OpenForWriting(const char* path, services::RegKey* key) {
  if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, os::KEY_WRITE, key->out()) == os::ERROR_SUCCESS)
    return true;
  os::DWORD disposition = 0;
  return os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, product::kKeyClass, os::REG_OPTION_NON_VOLATILE,
                             os::KEY_WRITE, nullptr, key->out(), &disposition) == os::ERROR_SUCCESS;
}

// Every value is attempted even after one fails; false when any did. A value
// that is too long is left out whole rather than cut.
bool WriteKey(const char* path, const StringValue* values, int count) {
  services::RegKey key;
  if (!OpenForWriting(path, &key)) return false;
  bool allSet = true;
  for (int i = 0; i < count; ++i) {
    const CString& data = values[i].data;
    const bool set = data.GetLength() <= kMaxValueLength &&
                     os::RegSetValueExA(key.get(), values[i].name, 0, os::REG_SZ,
                                        reinterpret_cast<const os::BYTE*>(data.c_str()),
                                        static_cast<os::DWORD>(data.GetLength() + 1)) == os::ERROR_SUCCESS;
    allSet = set && allSet;
  }
  return allSet;
}

}  // namespace

// All three keys are tried whatever becomes of the others, and any failure
// makes the result false: an installation whose uninstaller Windows cannot
// find is not one to report as complete.
bool CInstallDlg::UpdateRegistry() {
  CString installedAt;
  installedAt.Format("%llu", static_cast<unsigned long long>(os::time(nullptr)));
  const StringValue vendor[] = {{"", installedAt}};

  const StringValue appPaths[] = {{"", m_strTargetDir + "\\" + product::kProgramFile}, {"Path", m_strTargetDir}};

  // A command line: quoted, or Windows may run C:\Program.exe for a folder
  // under "C:\Program Files". The App Paths values are paths and stay bare.
  const StringValue uninstall[] = {
      {"DisplayName", product::kTitleWithVersion},
      {"UninstallString", "\"" + m_strTargetDir + "\\" + product::kUninstallerFile + "\""}};

  bool ok = WriteKey(CString(product::kVendorVersionKeyPrefix) + product::kVersion, vendor, 1);
  ok = WriteKey(product::kAppPathsKey, appPaths, 2) && ok;
  ok = WriteKey(product::kUninstallKey, uninstall, 2) && ok;
  return ok;
}

void CInstallDlg::DeleteRegistryKey(const char* parentPath, const char* subKeyName) {
  services::RegKey parent;
  if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, parentPath, 0, os::KEY_WRITE, parent.out()) != os::ERROR_SUCCESS)
    return;
  DeleteRegistryTree(parent.get(), subKeyName);
}

// Depth first: a key can only be deleted once it has no children, and each
// deleted child frees index 0 for the next.
os::LONG CInstallDlg::DeleteRegistryTree(os::HKEY key, const char* subKeyName) {
  if (!subKeyName || subKeyName[0] == '\0') return os::ERROR_BADKEY;
  services::RegKey subKey;
  if (os::RegOpenKeyExA(key, subKeyName, 0, os::DELETE | os::KEY_ENUMERATE_SUB_KEYS, subKey.out()) !=
      os::ERROR_SUCCESS)
    return os::ERROR_CANTOPEN;
  for (;;) {
    char child[1024];
    os::DWORD childSize = sizeof child;
    const os::LONG found = os::RegEnumKeyExA(subKey.get(), 0, child, &childSize, nullptr, nullptr, nullptr, nullptr);
    if (found == os::ERROR_NO_MORE_ITEMS) return os::RegDeleteKeyA(key, subKeyName);
    if (found != os::ERROR_SUCCESS) return found;
    const os::LONG deleted = DeleteRegistryTree(subKey.get(), child);
    if (deleted != os::ERROR_SUCCESS) return deleted;
  }
}
