// Traces of an earlier installation: three registry keys and two folders.
#include "services/previous_installation.h"

#include "product/product.h"
#include "services/shortcuts.h"
#include "ui/install_dlg.h"

namespace {
// A folder counts when its listing yields any entry: "." for every folder
// but a drive's root, so an existing empty folder counts too.
bool FolderListable(const CString& folder) {
  os::FindData data;
  const intptr_t search = os::_findfirst(folder + "\\*.*", &data);
  if (search == -1) return false;
  os::_findclose(search);
  return true;
}

// The probed key's parent path and last component, for its removal.
void SplitKeyPath(const char* path, CString* parent, CString* name) {
  const CString full(path);
  const int slash = full.ReverseFind('\\');
  *parent = full.Left(slash);
  *name = full.Mid(slash + 1);
}
}  // namespace

void DeleteMatchingFiles(CString folder, CString pattern) {
  folder += "\\";
  os::FindData data;
  const intptr_t search = os::_findfirst(folder + pattern, &data);
  if (search == -1) return;
  do {
    if (!(data.attrib & os::_A_SUBDIR)) os::_unlink(folder + data.name);
  } while (os::_findnext(search, &data) == 0);
  os::_findclose(search);
}

bool CInstallDlg::FindPreviousInstallation(bool removeFound) {
  bool found = false;
  const char* const keys[] = {product::kAppPathsKey, product::kUninstallKey, product::kVendorProductKey};
  for (const char* path : keys) {
    os::HKEY key = nullptr;
    if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, path, 0, os::KEY_READ, &key) != 0) continue;
    found = true;
    if (path == product::kAppPathsKey) {
      char buffer[product::kPathBuffer] = {0};
      os::DWORD type = 0;
      os::DWORD size = sizeof buffer;
      if (os::RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<os::BYTE*>(buffer), &size) == 0) {
        buffer[sizeof buffer - 1] = 0;  // a value stored without its zero must not run on
        g_strInstallDir = buffer;
        m_strTargetDir = g_strInstallDir;
        UpdateData(os::FALSE);
      }
    }
    if (removeFound) {
      CString parent, name;
      SplitKeyPath(path, &parent, &name);
      DeleteRegistryKey(parent, name);
    }
    os::RegCloseKey(key);
  }
  if (!g_strInstallDir.IsEmpty() && FolderListable(g_strInstallDir)) {
    found = true;
    if (removeFound) {
      DeleteMatchingFiles(g_strInstallDir, "Testanza.*");
      DeleteMatchingFiles(g_strInstallDir, product::kUninstallerFile);
    }
  }
  if (!g_strProgramsGroupDir.IsEmpty() && FolderListable(g_strProgramsGroupDir)) {
    found = true;
    if (removeFound) {
      RemoveShortcut(m_strProductName, false);
      RemoveShortcut(product::kHelpLinkName, false);
      RemoveShortcut(product::kUninstallLinkName, false);
    }
  }
  return found;
}
