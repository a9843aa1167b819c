// The process's entry point. The C++ run-time has already built the static
// objects, the application object among them, which only remember themselves.
#include "platform/framework.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>

#include "platform/win32/libraries.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a library on our behalf.
  win32::RestrictLibrarySearch();
  return AfxWinMain();
}
