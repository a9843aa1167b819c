// Shortcuts made by the real shell link object: each link file loads back
// with the five properties the service set, and removal takes it away.
#include "platform/os.h"
#include "product/product.h"
#include "services/shortcuts.h"
#include "ui/install_dlg.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>
#include <shlobj.h>

#include "check.h"

namespace wine_check {
namespace {

const char kTarget[] = "C:\\services check\\Target";

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {0};
  SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

struct LinkRead {
  std::string description, path, workingDir, iconPath;
  int iconIndex = -1, showCmd = -1;
};

bool LoadLink(const std::string& file, LinkRead* out) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  IPersistFile* persist = nullptr;
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  bool loaded = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
                SUCCEEDED(persist->Load(wide, STGM_READ));
  if (loaded) {
    char text[MAX_PATH];
    text[0] = 0;
    link->GetDescription(text, MAX_PATH);
    out->description = text;
    text[0] = 0;
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    out->path = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, MAX_PATH);
    out->workingDir = text;
    text[0] = 0;
    link->GetIconLocation(text, MAX_PATH, &out->iconIndex);
    out->iconPath = text;
    link->GetShowCmd(&out->showCmd);
  }
  if (persist) persist->Release();
  link->Release();
  return loaded;
}

struct Made {
  const char* base;
  const char* extension;
  const char* linkName;
  bool onDesktop;
};

}  // namespace

void CheckShortcuts() {
  CInstallDlg dlg;
  dlg.m_strTargetDir = kTarget;
  g_strProgramsGroupDir = (SpecialFolder(CSIDL_PROGRAMS) + product::kFolderSuffix).c_str();
  const std::string desktop = SpecialFolder(CSIDL_DESKTOP);
  CHECK(!desktop.empty());

  const Made links[] = {{"Testanza", ".exe", "Testanza", true},
                        {"Testanza", ".exe", "Testanza", false},
                        {"Testanza", ".hlp", product::kHelpLinkName, false},
                        {"Uninstall", ".exe", product::kUninstallLinkName, false}};
  for (const Made& made : links) {
    CHECK(dlg.CreateShortcut(made.base, made.extension, made.linkName, made.onDesktop));
    const std::string folder = made.onDesktop ? desktop : std::string(g_strProgramsGroupDir.c_str());
    const std::string file = folder + "\\" + made.linkName + ".lnk";
    const std::string target = std::string(kTarget) + "\\" + made.base + made.extension;
    LinkRead read;
    CHECK(LoadLink(file, &read));
    CHECK_EQ(read.description, made.linkName);
    CHECK_EQ(read.path, target);
    CHECK_EQ(read.workingDir, kTarget);
    CHECK_EQ(read.iconPath, target);
    CHECK(read.iconIndex == 0);
    CHECK(read.showCmd == SW_SHOWNORMAL);
  }
  // A second time over the same files: replaced, still success.
  CHECK(dlg.CreateShortcut("Testanza", ".exe", "Testanza", true));
  CHECK(TakeBoxes().empty());

  for (const Made& made : links) {
    RemoveShortcut(made.linkName, made.onDesktop);
    const std::string folder = made.onDesktop ? desktop : std::string(g_strProgramsGroupDir.c_str());
    CHECK(GetFileAttributesA((folder + "\\" + made.linkName + ".lnk").c_str()) == INVALID_FILE_ATTRIBUTES);
  }
  SetCurrentDirectoryA("C:\\");
  CHECK(RemoveDirectoryA(g_strProgramsGroupDir));
  CHECK(TakeBoxes().empty());
}

}  // namespace wine_check
