// Closes every message box as soon as it is up, after noting what it says,
// so that a failing service cannot hang the run on a box nobody answers.
#include "platform/os.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>

#include "check.h"

namespace wine_check {
namespace {

std::vector<ShownBox> g_boxes;

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
    if (std::string(className) == "#32770") {
      g_boxes.push_back({TextOf(window, 0), TextOf(window, 0xFFFF)});
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
