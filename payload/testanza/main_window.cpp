#include "main_window.h"

#include <commdlg.h>

#include <string>

#include "../common/running_product.h"
#include "../common/win_handle.h"
#include "tz1.h"

namespace tz {
namespace {

const char kClassName[] = "TestanzaMainWindow";
enum : int { kView = 1000, kOpen = 100, kExit = 101, kHelpContents = 200, kAbout = 201 };
const DWORD kMaxTestFile = 1 << 20;

const char kEmptyView[] =
    "No test is open.\r\n\r\n"
    "Use File > Open sample test to open one of the sample tests "
    "(US-Caps_FITB.TZ1, US-Caps_MULT.TZ1) that come with Testanza.";

std::string ModuleFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n < MAX_PATH ? n : 0);
  size_t slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

bool ReadWholeFile(const char* path, std::string& out) {
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > kMaxTestFile) return false;
  out.assign(size, '\0');
  DWORD got = 0;
  return size == 0 || (ReadFile(file.get(), &out[0], size, &got, nullptr) && got == size);
}

HMENU BuildMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kOpen, "&Open sample test...");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kExit, "E&xit");
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, kHelpContents, "&Contents");
  AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(help, MF_STRING, kAbout, "&About Testanza...");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  return bar;
}

std::string HelpFile() { return ModuleFolder() + "\\Testanza.hlp"; }

void ChooseAndOpen(HWND window) {
  char path[MAX_PATH] = "";
  std::string folder = ModuleFolder();
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window;
  ofn.lpstrFilter = "Testanza tests (*.TZ1)\0*.TZ1\0All files (*.*)\0*.*\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = "Open sample test";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&ofn)) OpenTestFile(window, path);
}

void ShowAbout(HWND window) {
  MessageBoxA(window,
              "Testanza 1.20\r\nTest management software\r\n\r\n"
              "Copyright (C) 2002 DU Dodoridu",
              "About Testanza", MB_OK | MB_ICONINFORMATION);
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case kOpen: ChooseAndOpen(window); break;
    case kExit: DestroyWindow(window); break;
    case kHelpContents:
      if (!WinHelpA(window, HelpFile().c_str(), HELP_CONTENTS, 0))
        MessageBoxA(window, "The help file Testanza.hlp could not be opened.", "Testanza",
                    MB_OK | MB_ICONEXCLAMATION);
      break;
    case kAbout: ShowAbout(window); break;
  }
}

HWND CreateView(HWND window) {
  HWND view = CreateWindowExA(
      WS_EX_CLIENTEDGE, "EDIT", kEmptyView,
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
      0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kView)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
  SendMessageA(view, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return view;
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return CreateView(window) ? 0 : -1;
    case WM_SIZE:
      MoveWindow(GetDlgItem(window, kView), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(GetDlgItem(window, kView));
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wp));
      return 0;
    case WM_DESTROY:
      WinHelpA(window, HelpFile().c_str(), HELP_QUIT, 0);
      PostQuitMessage(0);
      return 0;
  }
  if (msg == kCloseRequest) {
    // An installer or the uninstaller asks us to go; nothing is unsaved, so just end.
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcA(window, msg, wp, lp);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const char* title) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return nullptr;
  return CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         560, 420, nullptr, BuildMenu(), instance, nullptr);
}

void OpenTestFile(HWND window, const char* path) {
  std::string text, error;
  tz1::Test test;
  if (!ReadWholeFile(path, text)) {
    error = "The file could not be read.";
  } else if (!tz1::Parse(text, test, error)) {
    error = "This is not a valid Testanza test: " + error;
  } else {
    SetWindowTextA(GetDlgItem(window, kView), tz1::Render(test).c_str());
    return;
  }
  std::string message = std::string(path) + "\r\n\r\n" + error;
  MessageBoxA(window, message.c_str(), "Testanza", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tz
