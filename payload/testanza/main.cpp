// Testanza: the product program. While it runs it holds the named mutex by
// which installers and our uninstaller recognise a running copy.
//
// Command line:  Testanza.exe [/title "<one of the ten window titles>"] [file.TZ1]
// The title switch exists so that tests can run copies under the other titles.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "../common/running_product.h"
#include "../common/win_handle.h"
#include "main_window.h"

namespace {

struct Options {
  const char* title = tz::kWindowTitles[0];
  const char* file = nullptr;
};

const char* KnownTitle(const char* wanted) {
  for (const char* t : tz::kWindowTitles)
    if (std::strcmp(t, wanted) == 0) return t;
  return nullptr;
}

bool ParseOptions(int argc, char** argv, Options& out) {
  for (int i = 1; i < argc; ++i) {
    if (lstrcmpiA(argv[i], "/title") == 0 && i + 1 < argc) {
      out.title = KnownTitle(argv[++i]);
      if (!out.title) return false;
    } else if (argv[i][0] == '/') {
      return false;
    } else {
      out.file = argv[i];
    }
  }
  return true;
}

// Held for the whole run; several copies may run at once (each with its own title),
// so an existing mutex is simply shared rather than treated as an error.
class ProductMutex {
 public:
  ProductMutex() : h_(CreateMutexA(nullptr, TRUE, tz::kMutexName)) {
    owned_ = h_ && GetLastError() != ERROR_ALREADY_EXISTS;
  }
  ~ProductMutex() {
    if (owned_) ReleaseMutex(h_.get());
  }

 private:
  tz::Handle h_;
  bool owned_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  Options options;
  if (!ParseOptions(__argc, __argv, options)) {
    MessageBoxA(nullptr,
                "Usage: Testanza.exe [/title \"Testanza BETA n\"] [file.TZ1]",
                "Testanza", MB_OK | MB_ICONINFORMATION);
    return 2;
  }
  ProductMutex mutex;
  HWND window = tz::CreateMainWindow(instance, options.title);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  if (options.file) tz::OpenTestFile(window, options.file);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
