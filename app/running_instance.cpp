#include "app/running_instance.h"

#include "platform/framework.h"
#include "product/product.h"

namespace {
// Lets go of the probe mutex: released if we created it, closed either way.
void ReleaseProbe(os::HANDLE mutex) {
  os::ReleaseMutex(mutex);
  os::CloseHandle(mutex);
}

// The first window from title index `first` on, or -1; the title index found.
int FindListedWindow(int first, os::HWND* window) {
  for (int i = first; product::kWindowTitles[i][0]; ++i) {
    *window = os::FindWindowA(nullptr, product::kWindowTitles[i]);
    if (*window) return i;
  }
  return -1;
}
}  // namespace

void CheckRunningInstance() {
  const os::HANDLE mutex = os::CreateMutexA(nullptr, os::TRUE, product::kMutexName);
  if (os::GetLastError() != static_cast<os::DWORD>(os::ERROR_ALREADY_EXISTS)) {
    ReleaseProbe(mutex);
    return;
  }
  os::HWND window = nullptr;
  const int found = FindListedWindow(0, &window);
  if (found < 0) {
    ReleaseProbe(mutex);
    return;
  }
  const char* const notice =
      "A version of Testanza is currently running\r\nand must be closed before installation can continue.\r\n\r\n"
      "This installation program will attempt to close it,\r\nbut it may be necessary to close Testanza manually "
      "before continuing.";
  if (os::MessageBoxA(nullptr, notice, "NOTICE", os::MB_OKCANCEL | os::MB_ICONWARNING) == os::IDCANCEL) {
    ReleaseProbe(mutex);
    os::exit(0);
  }
  os::PostMessageA(window, product::kCloseRequest, 0, 0);
  os::HWND other = nullptr;
  if (FindListedWindow(found + 1, &other) >= 0) {
    const CString text = CString("An instance of Testanza is currently running:\r\n") +
                         "Please close Testanza before attempting this installation.";
    os::MessageBoxA(nullptr, text, "Install Testanza", os::MB_ICONINFORMATION);
    ReleaseProbe(mutex);
    os::exit(0);
  }
  os::MessageBoxA(nullptr, "Testanza has been closed, installation can continue", "OK", os::MB_OK);
  ReleaseProbe(mutex);
}
