// tzprobe: a console helper for the end-to-end tests under Wine. It looks at
// and pokes the windows of the product, the uninstaller and the help viewer,
// which shell scripts on the Linux side cannot reach. Not shipped.
//
//   tzprobe wait-window <title> [ms]      exit 0 once a top-level window has that title
//   tzprobe wait-gone <title> [ms]        exit 0 once none has
//   tzprobe wait-prefix <text> [ms]       exit 0 once a visible top-level title starts with text
//   tzprobe mutex <name>                  exit 0 when the named mutex exists
//   tzprobe post <title> <msg> [wparam]   post a message (decimal or 0x..) to that window
//   tzprobe view-text <title>             print the text of the window's edit control
//   tzprobe click <caption> <id> [ms]     wait for a dialog box with that caption, print
//                                         its message, press the button with that id
//   tzprobe windows                       list visible top-level windows: class|title
//   tzprobe folder programs|desktop       print the special folder's path
//   tzprobe mklink <link.lnk> <target>    create a shell link
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD Ms(int argc, char** argv, int i, DWORD fallback) {
  return argc > i ? static_cast<DWORD>(std::strtoul(argv[i], nullptr, 0)) : fallback;
}

template <typename F>
bool WaitFor(DWORD ms, F done) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(100);
  }
}

std::string TextOf(HWND w) {
  char buf[8192] = "";
  DWORD_PTR n = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                      5000, &n);
  return buf;
}

struct DialogSearch {
  const char* caption;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<DialogSearch*>(p);
  char cls[64] = "", title[256] = "";
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, title, sizeof title);
  if (IsWindowVisible(w) && std::strcmp(cls, "#32770") == 0 && std::strcmp(title, s->caption) == 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK PrintStatic(HWND w, LPARAM) {
  char cls[32] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0) {
    std::string t = TextOf(w);
    if (!t.empty()) std::printf("%s\n", t.c_str());
  }
  return TRUE;
}

int Click(int argc, char** argv) {
  DialogSearch s{argv[2], nullptr};
  if (!WaitFor(Ms(argc, argv, 4, 30000), [&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
      })) {
    std::fprintf(stderr, "no dialog box \"%s\"\n", argv[2]);
    return 1;
  }
  EnumChildWindows(s.found, PrintStatic, 0);
  std::fflush(stdout);
  HWND button = GetDlgItem(s.found, std::atoi(argv[3]));
  if (!button) {
    std::fprintf(stderr, "dialog box has no button %s\n", argv[3]);
    return 1;
  }
  // What a click on the button sends its dialog; unlike BM_CLICK it does not
  // depend on the box being the active window.
  PostMessageA(s.found, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  // The next box may bear the same caption: return only once this one is gone.
  return WaitFor(10000, [&] { return !IsWindow(s.found); }) ? 0 : 1;
}

BOOL CALLBACK PrintWindow(HWND w, LPARAM) {
  if (!IsWindowVisible(w)) return TRUE;
  char cls[64] = "", title[256] = "";
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, title, sizeof title);
  std::printf("%s|%s\n", cls, title);
  return TRUE;
}

struct PrefixSearch {
  const char* prefix;
  bool found;
};

BOOL CALLBACK FindPrefix(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<PrefixSearch*>(p);
  char title[256] = "";
  GetWindowTextA(w, title, sizeof title);
  if (IsWindowVisible(w) && std::strncmp(title, s->prefix, std::strlen(s->prefix)) == 0) {
    s->found = true;
    return FALSE;
  }
  return TRUE;
}

int ViewText(const char* title) {
  HWND w = FindWindowA(nullptr, title);
  HWND edit = w ? FindWindowExA(w, nullptr, "Edit", nullptr) : nullptr;
  if (!edit) return 1;
  std::printf("%s\n", TextOf(edit).c_str());
  return 0;
}

int PrintFolder(const char* which) {
  int csidl = std::strcmp(which, "desktop") == 0 ? CSIDL_DESKTOPDIRECTORY : CSIDL_PROGRAMS;
  char path[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE)) return 1;
  std::printf("%s\n", path);
  return 0;
}

int MakeLink(const char* link, const char* target) {
  if (FAILED(CoInitialize(nullptr))) return 1;
  int rc = 1;
  IShellLinkA* sl = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&sl)))) {
    sl->SetPath(target);
    IPersistFile* pf = nullptr;
    if (SUCCEEDED(sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)))) {
      wchar_t wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH);
      if (SUCCEEDED(pf->Save(wide, TRUE))) rc = 0;
      pf->Release();
    }
    sl->Release();
  }
  CoUninitialize();
  return rc;
}

int Usage() {
  std::fprintf(stderr, "usage: tzprobe wait-window|wait-gone|mutex|post|view-text|click|windows|folder|mklink ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string cmd = argv[1];
  if (cmd == "windows") return EnumWindows(PrintWindow, 0), 0;
  if (argc < 3) return Usage();
  const char* arg = argv[2];
  if (cmd == "wait-window")
    return WaitFor(Ms(argc, argv, 3, 30000), [&] { return FindWindowA(nullptr, arg) != nullptr; }) ? 0 : 1;
  if (cmd == "wait-gone")
    return WaitFor(Ms(argc, argv, 3, 30000), [&] { return FindWindowA(nullptr, arg) == nullptr; }) ? 0 : 1;
  if (cmd == "wait-prefix")
    return WaitFor(Ms(argc, argv, 3, 30000), [&] {
      PrefixSearch s{arg, false};
      EnumWindows(FindPrefix, reinterpret_cast<LPARAM>(&s));
      return s.found;
    }) ? 0 : 1;
  if (cmd == "mutex") {
    HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, arg);
    if (m) CloseHandle(m);
    return m ? 0 : 1;
  }
  if (cmd == "view-text") return ViewText(arg);
  if (cmd == "folder") return PrintFolder(arg);
  if (argc < 4) return Usage();
  if (cmd == "post") {
    HWND w = FindWindowA(nullptr, arg);
    WPARAM wp = argc > 4 ? static_cast<WPARAM>(std::strtoul(argv[4], nullptr, 0)) : 0;
    return w && PostMessageA(w, static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)), wp, 0) ? 0 : 1;
  }
  if (cmd == "click") return Click(argc, argv);
  if (cmd == "mklink") return MakeLink(arg, argv[3]);
  return Usage();
}
