// Closes every message box as soon as it is up, after noting what it says,
// so that a failing service cannot hang the run on a box nobody answers.
#include "platform/os.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>

#include "check.h"

namespace wine_check {
namespace {

std::vector<ShownBox> g_boxes;
HWND g_lastBox = nullptr;  // a box may be activated more than once

std::string TextOf(HWND window, int id) {
  char text[1024] = {0};
  if (id) GetDlgItemTextA(window, id, text, sizeof text);
  else GetWindowTextA(window, text, sizeof text);
  return text;
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    char className[32] = {0};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && window != g_lastBox) {
      g_lastBox = window;
      g_boxes.push_back({TextOf(window, 0), TextOf(window, 0xFFFF)});
      std::printf("box: %s: %s\n", g_boxes.back().caption.c_str(), g_boxes.back().text.c_str());
      std::fflush(stdout);
      // The first button the box has: OK for our boxes, Yes for a question.
      const int buttons[] = {IDOK, IDYES, IDCANCEL, IDNO};
      for (int id : buttons) {
        if (GetDlgItem(window, id)) {
          PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
          break;
        }
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void WatchMessageBoxes() { SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId()); }

std::vector<ShownBox> TakeBoxes() {
  std::vector<ShownBox> boxes;
  boxes.swap(g_boxes);
  return boxes;
}

}  // namespace wine_check
