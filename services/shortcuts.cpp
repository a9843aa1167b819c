// Shortcuts: links to the installed files, made with the shell's link object
// so that the shell itself writes the link file.
#include "services/shortcuts.h"

#include "product/product.h"
#include "services/handles.h"
#include "ui/install_dlg.h"

namespace {

// The shell's desktop folder, or "Desktop" under the Windows folder when the
// shell cannot name one. Never creates the folder.
CString DesktopFolder() {
  char windows[product::kPathBuffer] = {};
  os::GetWindowsDirectoryA(windows, sizeof windows);
  CString folder = CString(windows) + "\\Desktop";

  services::ItemList list;
  if (os::SHGetSpecialFolderLocation(nullptr, os::CSIDL_DESKTOP, list.out()) == 0) {
    // A buffer of its own, so a failed conversion cannot spoil the fallback.
    char shellPath[product::kPathBuffer] = {};
    if (os::SHGetPathFromIDListA(list.get(), shellPath)) folder = shellPath;
  }
  return folder;
}

CString LinkPath(const CString& folder, const char* linkName) { return folder + "\\" + linkName + ".lnk"; }

}  // namespace

bool CInstallDlg::CreateShortcut(CString baseName, CString extension, const char* linkName, bool onDesktop) {
  const CString target = m_strTargetDir + "\\" + baseName + extension;
  CString folder;
  if (onDesktop) {
    folder = DesktopFolder();
  } else {
    // A folder still missing after this shows up as a failed save below.
    PrepareDirectory(g_strProgramsGroupDir);
    folder = g_strProgramsGroupDir;
  }

  os::WCHAR widePath[product::kPathBuffer] = {};
  // A path that does not fit is refused rather than saved cut short.
  const bool pathFits =
      os::MultiByteToWideChar(os::CP_ACP, 0, LinkPath(folder, linkName), -1, widePath, product::kPathBuffer) != 0;

  services::ComPtr<os::IShellLinkA> link;
  if (os::CoCreateInstance(os::CLSID_ShellLink, nullptr, os::CLSCTX_INPROC_SERVER, os::IID_IShellLinkA,
                           link.out()) != os::S_OK ||
      !link) {
    ShowError(false, "Can't create Program Files link");
    return false;
  }
  link->SetDescription(linkName);
  link->SetIconLocation(target, 0);
  link->SetPath(target);
  link->SetWorkingDirectory(m_strTargetDir);
  link->SetShowCmd(os::SW_SHOWNORMAL);

  services::ComPtr<os::IPersistFile> file;
  if (link->QueryInterface(os::IID_IPersistFile, file.out()) != os::S_OK || !file) {
    ShowError(false, "Couldn't create file interface to program links");
    return false;
  }
  if (!pathFits || file->Save(widePath, os::TRUE) != os::S_OK) {
    ShowError(false, "Can't create Program Files icon group");
    return false;
  }
  return true;
}

void RemoveShortcut(CString linkName, bool onDesktop) {
  const CString folder = onDesktop ? DesktopFolder() : g_strProgramsGroupDir;
  os::remove(LinkPath(folder, linkName));
}
