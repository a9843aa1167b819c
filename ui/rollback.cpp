// The Cancel button: after confirmation, undo what the progress flags record.
#include "product/product.h"
#include "services/shortcuts.h"
#include "ui/install_dlg.h"

void CInstallDlg::RecordPreparedFolder(const CString& folder) {
  for (int i = 0; i < m_nPreparedDirs; ++i)
    if (m_strPreparedDirs[i] == folder) {
      // Already known: move it to the newest place.
      for (int j = i; j + 1 < m_nPreparedDirs; ++j) m_strPreparedDirs[j] = m_strPreparedDirs[j + 1];
      m_strPreparedDirs[m_nPreparedDirs - 1] = folder;
      return;
    }
  if (m_nPreparedDirs == kMaxPreparedDirs) {
    for (int j = 0; j + 1 < m_nPreparedDirs; ++j) m_strPreparedDirs[j] = m_strPreparedDirs[j + 1];
    --m_nPreparedDirs;
  }
  m_strPreparedDirs[m_nPreparedDirs++] = folder;
}

void CInstallDlg::DeleteInstalledFile(const char* fileName) {
  os::remove(m_strTargetDir + "\\" + fileName);
}

void CInstallDlg::RemoveFolder(CString path) {
  os::_chdir("\\");
  if (os::_rmdir(path) != 0)
    os::MessageBoxA(m_hWnd, CString("Unable to remove directory ") + path, "NOTE", os::MB_ICONINFORMATION);
}

namespace {
bool AnyProgress() {
  return g_bDirCreated || g_bExeInstalled || g_bHelpInstalled || g_bUninstallerInstalled || g_bTextInstalled ||
         g_bShortcutsCreated || g_bRegistryUpdated;
}
}  // namespace

void CInstallDlg::OnCancelInstall() {
  m_bCancelRequested = 1;
  CString question = AnyProgress() ? CString("This will abort the installation of ") + product::kTitleWithVersion
                                   : CString("Testanza will not be installed on your system");
  question += "\r\nDo you wish to cancel the installation?";
  if (os::MessageBoxA(m_hWnd, question, "Cancel Install?", os::MB_YESNO | os::MB_ICONQUESTION) == os::IDNO) {
    m_bCancelRequested = 0;
    return;
  }
  SetStatus("Stand by:\r\nAborting installation...");
  if (g_bShortcutsCreated) {
    RemoveShortcut(m_strProductName, false);
    RemoveShortcut(product::kHelpLinkName, false);
    RemoveShortcut(product::kUninstallLinkName, false);
    RemoveFolder(g_strProgramsGroupDir);
  }
  UndoFilesAndFolders();
  if (g_bRegistryUpdated) {
    DeleteRegistryKey(product::kVendorProductKey, product::kVersion);
    DeleteEmptyVendorProductKey();
    DeleteRegistryKey(product::kAppPathsParent, product::kProgramFile);
    DeleteRegistryKey(product::kUninstallParent, m_strProductName);
  }
  os::MessageBoxA(m_hWnd, "Testanza was not installed on your system", "Installation Incomplete",
                  os::MB_ICONINFORMATION);
  EndDialog(os::IDCANCEL);
}

// The files and folders go from the folders that the install sequence really
// prepared, newest first, not from whatever folder the edit shows now: a
// folder typed after a failed Install may hold someone else's copy.
void CInstallDlg::UndoFilesAndFolders() {
  const CString typed = m_strTargetDir;
  for (int i = m_nPreparedDirs - 1; i >= 0; --i) {
    m_strTargetDir = m_strPreparedDirs[i];
    if (g_bExeInstalled) DeleteInstalledFile(product::kProgramFile);
    if (g_bHelpInstalled) DeleteInstalledFile(product::kHelpFile);
    if (g_bTextInstalled) DeleteInstalledFile(product::kTextFile);
    if (g_bUninstallerInstalled) DeleteInstalledFile(product::kUninstallerFile);
    if (g_bDirCreated) RemoveFolder(m_strTargetDir);
  }
  m_strTargetDir = typed;
}

// The product key goes only when the version key was its last subkey: other
// versions of the product may still be registered under it.
void CInstallDlg::DeleteEmptyVendorProductKey() {
  os::HKEY key = nullptr;
  if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, product::kVendorProductKey, 0, os::KEY_READ, &key) != 0) return;
  char name[1024];
  os::DWORD size = sizeof name;
  const os::LONG rc = os::RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr);
  os::RegCloseKey(key);
  if (rc == os::ERROR_NO_MORE_ITEMS) DeleteRegistryKey(product::kVendorKey, product::kName);
}
