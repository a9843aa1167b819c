// The Install button: the whole installation, step by step, with a progress
// flag after each step that Cancel can undo.
#include <cstring>

#include "product/product.h"
#include "ui/install_dlg.h"

namespace {
void StopBox(CInstallDlg* dlg, const char* message) {
  os::MessageBoxA(dlg->m_hWnd, message, "ERROR", os::MB_ICONERROR);
}

// Step 2 to 9: the folder, then every payload file in table order.
bool InstallFiles(CInstallDlg* dlg) {
  dlg->SetStatus("Installing:\r\nCreating installation directory...");
  if (!dlg->PrepareDirectory(dlg->m_strTargetDir)) {
    StopBox(dlg, "Couldn't create installation directory!");
    return false;
  }
  g_bDirCreated = 1;
  dlg->RecordPreparedFolder(dlg->m_strTargetDir);
  dlg->SetStatus("Installing:\r\nInstalling application files...");
  int* const flags[] = {&g_bExeInstalled, &g_bHelpInstalled, &g_bUninstallerInstalled, &g_bTextInstalled,
                        nullptr, nullptr};
  for (int i = 0; i < 6; ++i) {
    const product::PayloadFile& file = product::kPayload[i];
    if (dlg->InstallPayloadFile(file.resourceId, file.fileName)) {
      if (flags[i]) *flags[i] = 1;
      continue;
    }
    StopBox(dlg, file.failureMessage);
    if (file.onFailure == product::OnFailure::Stop) return false;
  }
  return true;
}

// Steps 11 to 17: the desktop link, whose failure its service has reported
// already, then the three program-group links.
bool CreateShortcuts(CInstallDlg* dlg) {
  const CString& name = dlg->m_strProductName;
  dlg->SetStatus("Installing:\r\nInstalling DeskTop shortcut...");
  dlg->CreateShortcut(name, ".exe", name, true);
  dlg->SetStatus("Installing:\r\nInstalling Start Menu shortcuts...");
  if (!dlg->CreateShortcut(name, ".exe", name, false)) {
    StopBox(dlg, "Couldn't create start menu program shortcut!");
    return false;
  }
  if (!dlg->CreateShortcut(name, ".hlp", product::kHelpLinkName, false)) {
    StopBox(dlg, "Couldn't create start menu help shortcut!");
    return false;
  }
  if (!dlg->CreateShortcut(product::kUninstallBaseName, ".exe", product::kUninstallLinkName, false)) {
    StopBox(dlg, "Couldn't create start menu uninstall shortcut!");
    return false;
  }
  g_bShortcutsCreated = 1;
  return true;
}

void Complete(CInstallDlg* dlg) {
  dlg->SetStatus("Installation complete:\r\nTestanza installed successfuly");
  dlg->ShowWindow(os::SW_HIDE);
  CString text(product::kTitleWithVersion);
  text += " has been successfully installed!\r\n\r\n";
  text += "To run this application, select Testanza \r\n";
  text += "from the Start Menu, Programs, Testanza group.";
  os::MessageBoxA(dlg->m_hWnd, text, "INSTALLATION COMLETE", os::MB_ICONINFORMATION);

  char launch[product::kPathBuffer] = {0};
  const char* const program = "\\Testanza.exe";
  // Our choice for a folder with no room for the program's name: launch
  // nothing rather than a truncated path, and say so.
  if (static_cast<size_t>(dlg->m_strTargetDir.GetLength()) + std::strlen(program) >= sizeof launch) {
    os::MessageBoxA(dlg->m_hWnd,
                    "The installation folder's path is too long to start Testanza from here.\r\n"
                    "Please start it from the Start Menu.",
                    "NOTE", os::MB_ICONINFORMATION);
    return;
  }
  os::lstrcpyA(launch, dlg->m_strTargetDir);
  os::lstrcatA(launch, program);
  os::ShellExecuteA(nullptr, "open", launch, nullptr, dlg->m_strTargetDir, os::SW_SHOWNORMAL);
}
}  // namespace

void CInstallDlg::OnInstall() {
  if (!InstallFiles(this)) return;
  char windowsDir[product::kPathBuffer];
  if (os::GetWindowsDirectoryA(windowsDir, sizeof windowsDir) == 0) {
    StopBox(this, "Can't access Windows directory!");
    return;
  }
  if (!CreateShortcuts(this)) return;
  SetStatus("Installing:\r\nUpdating system registry...");
  if (!UpdateRegistry()) {
    StopBox(this, "Couldn't update system registry!");
    return;
  }
  g_bRegistryUpdated = 1;
  if (!m_bCancelRequested) Complete(this);
  EndDialog(0);
}
