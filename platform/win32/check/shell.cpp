// COM, the shell link object behind our interface shapes, and shell32.
#include "platform/os.h"
// after os.h
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/check/check.h"
#include "platform/win32/check/paths.h"

namespace {
const os::IID kBogus = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};

// Makes a link through our shapes, as the program does.
void SaveLink(const std::string& file, const std::string& folder) {
  os::IShellLinkA* link = nullptr;
  CHECK(os::CoCreateInstance(os::CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, os::IID_IShellLinkA,
                             reinterpret_cast<void**>(&link)) == S_OK);
  if (!link) return;
  // S_FALSE: the target does not exist yet, which is fine for a link.
  CHECK(SUCCEEDED(link->SetPath((folder + "\\Testanza.exe").c_str())));
  CHECK(link->SetDescription("Testanza 1.20") == S_OK);
  CHECK(link->SetWorkingDirectory(folder.c_str()) == S_OK);
  CHECK(link->SetIconLocation((folder + "\\Testanza.exe").c_str(), 1) == S_OK);
  CHECK(link->SetShowCmd(SW_SHOWMINNOACTIVE) == S_OK);

  void* none = &none;
  CHECK(link->QueryInterface(kBogus, &none) == E_NOINTERFACE && none == nullptr);
  os::IPersistFile* persist = nullptr;
  CHECK(link->QueryInterface(os::IID_IPersistFile, reinterpret_cast<void**>(&persist)) == S_OK);
  if (persist) {
    os::WCHAR wide[MAX_PATH] = {0};
    CHECK(os::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH) > 0);
    CHECK(persist->Save(wide, TRUE) == S_OK);
    CHECK(persist->AddRef() == 2);
    CHECK(persist->Release() == 1);
    CHECK(persist->Release() == 0);
  }
  CHECK(link->Release() == 0);
}

// Reads the link back through the system's own interfaces.
void VerifyLink(const std::string& file, const std::string& folder) {
  IShellLinkA* link = nullptr;
  CHECK(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))));
  if (!link) return;
  IPersistFile* persist = nullptr;
  CHECK(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
  wchar_t wide[MAX_PATH] = {0};
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  CHECK(persist && SUCCEEDED(persist->Load(wide, STGM_READ)));
  char text[MAX_PATH] = {0};
  CHECK(SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0)));
  CHECK(_stricmp(text, (folder + "\\Testanza.exe").c_str()) == 0);
  CHECK(SUCCEEDED(link->GetDescription(text, MAX_PATH)) && std::strcmp(text, "Testanza 1.20") == 0);
  CHECK(SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)) && _stricmp(text, folder.c_str()) == 0);
  int icon = -1;
  CHECK(SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &icon)) && icon == 1);
  if (persist) persist->Release();
  link->Release();
}

// The file itself: the Shell Link header with its class and show command.
void VerifyLinkFile(const std::string& file) {
  unsigned char header[0x4C] = {0};
  FILE* f = std::fopen(file.c_str(), "rb");
  CHECK(f != nullptr);
  if (!f) return;
  CHECK(std::fread(header, 1, sizeof header, f) == sizeof header);
  std::fclose(f);
  CHECK(header[0] == 0x4C && header[1] == 0 && header[2] == 0 && header[3] == 0);
  CHECK(std::memcmp(header + 4, &CLSID_ShellLink, 16) == 0);
  const unsigned show = header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
  CHECK(show == SW_SHOWMINNOACTIVE);
}

LPARAM g_browseParam = 0;

int CALLBACK PickFolder(HWND dialog, UINT message, LPARAM, LPARAM chosen) {
  if (message == BFFM_INITIALIZED) {
    g_browseParam = chosen;
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, chosen);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
  return 0;
}
}  // namespace

void CheckShellLink() {
  const os::HRESULT init = os::CoInitialize(nullptr);
  CHECK(init == S_OK || init == S_FALSE);
  const std::string folder = ScratchFolder("links");
  const std::string file = folder + "\\Testanza.lnk";
  SaveLink(file, folder);
  CHECK(Exists(file));
  VerifyLink(file, folder);
  VerifyLinkFile(file);

  void* object = &object;
  CHECK(os::CoCreateInstance(os::CLSID_ShellLink, reinterpret_cast<os::IUnknown*>(&object), CLSCTX_INPROC_SERVER,
                             os::IID_IShellLinkA, &object) == CLASS_E_NOAGGREGATION && object == nullptr);
  CHECK(os::CoCreateInstance(kBogus, nullptr, CLSCTX_INPROC_SERVER, os::IID_IShellLinkA, &object) ==
        REGDB_E_CLASSNOTREG);
  CHECK(os::IsEqualGUID(os::IID_IShellLinkA, *reinterpret_cast<const os::GUID*>(&IID_IShellLinkA)));
  CHECK(os::IsEqualGUID(os::IID_IPersistFile, *reinterpret_cast<const os::GUID*>(&IID_IPersistFile)));
  CHECK(os::IsEqualGUID(os::CLSID_ShellLink, *reinterpret_cast<const os::GUID*>(&CLSID_ShellLink)));
  CHECK(!os::IsEqualGUID(os::IID_IShellLinkA, os::IID_IPersistFile));

  os::LPITEMIDLIST list = nullptr;
  CHECK(os::SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &list) == S_OK && list);
  char path[MAX_PATH] = {0};
  CHECK(os::SHGetPathFromIDListA(list, path) && std::strstr(path, "Programs"));
  os::CoTaskMemFree(list);

  // The folder browser, answered by its own callback: the layout of the
  // request and the callback's calling convention both have to be right.
  // (Which folder comes back is the browser's business: Wine's does not
  // always honour the selection request.)
  char display[MAX_PATH] = {0};
  os::BROWSEINFOA info = {};
  info.pszDisplayName = display;
  info.lpszTitle = "Choose";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = reinterpret_cast<os::BFFCALLBACK>(&PickFolder);
  info.lParam = reinterpret_cast<os::LPARAM>(folder.c_str());
  const os::LPITEMIDLIST picked = os::SHBrowseForFolderA(&info);
  CHECK(g_browseParam == info.lParam);
  CHECK(picked != nullptr);
  if (picked) {
    CHECK(os::SHGetPathFromIDListA(picked, path));
    os::CoTaskMemFree(picked);
  }

  const std::string cmd = SystemFolder() + "\\cmd.exe";
  CHECK(reinterpret_cast<intptr_t>(os::ShellExecuteA(nullptr, "open", cmd.c_str(), "/c exit", nullptr, SW_HIDE)) >
        32);
  CHECK(reinterpret_cast<intptr_t>(os::ShellExecuteA(nullptr, "open", (folder + "\\missing.exe").c_str(), nullptr,
                                                     nullptr, SW_SHOWNORMAL)) <= 32);
}
