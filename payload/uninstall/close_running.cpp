#include "close_running.h"

#include <windows.h>

#include <cstring>

#include "../common/running_product.h"
#include "../common/win_handle.h"

namespace tz {
namespace {

const DWORD kWaitMs = 15000;
const DWORD kPollMs = 200;

bool ProductMutexExists() {
  Handle m(OpenMutexA(SYNCHRONIZE, FALSE, kMutexName));
  return static_cast<bool>(m);
}

bool IsProductTitle(const char* title) {
  for (const char* t : kWindowTitles)
    if (std::strcmp(t, title) == 0) return true;
  return false;
}

// Unlike the installer's guard, which stops at the first title it finds, every
// copy gets the request: all must be gone before their files can be deleted.
// A repeated request to a copy that is already closing does no harm.
BOOL CALLBACK AskToClose(HWND window, LPARAM found) {
  char title[64];
  if (GetWindowTextA(window, title, sizeof title) > 0 && IsProductTitle(title)) {
    PostMessageA(window, kCloseRequest, 0, 0);
    *reinterpret_cast<int*>(found) += 1;
  }
  return TRUE;
}

}  // namespace

bool CloseRunningProduct() {
  // Without the mutex no copy of ours runs, whatever windows other programs show.
  DWORD start = GetTickCount();
  while (ProductMutexExists()) {
    int found = 0;
    EnumWindows(AskToClose, reinterpret_cast<LPARAM>(&found));
    // The windows go first; the mutex goes when the last copy has ended and
    // so no longer holds its program file open.
    if (GetTickCount() - start >= kWaitMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

}  // namespace tz
