// version.dll: installing (and expanding) files. Loaded at run time from the
// system folder and never imported: an import is resolved by the loader's own
// search, which looks in the application's folder first on older systems, so a
// version.dll planted beside setup.exe in a Downloads folder would run with
// the installer's (usually elevated) rights before any of our code.
#include "platform/os.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>

#include "platform/win32/libraries.h"

namespace os {

namespace {
typedef ::DWORD(WINAPI* VerInstallFileFn)(::DWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPSTR, PUINT);

// Looked up once and kept: the library stays loaded until the process ends.
VerInstallFileFn InstallFunction() {
  static VerInstallFileFn fn = nullptr;
  if (!fn) {
    const ::HMODULE library = win32::LoadSystemLibrary("version.dll");
    if (library)
      fn = reinterpret_cast<VerInstallFileFn>(reinterpret_cast<void*>(::GetProcAddress(library, "VerInstallFileA")));
  }
  return fn;
}
}  // namespace

DWORD VerInstallFileA(DWORD flags, const char* srcFile, const char* destFile, const char* srcDir,
                      const char* destDir, const char* curDir, char* tmpFile, UINT* tmpFileLen) {
  const VerInstallFileFn fn = InstallFunction();
  // Without the library nothing can be read or expanded: the same answer the
  // call gives when it cannot load its decompressor.
  if (!fn) return VIF_CANNOTLOADLZ32;
  return fn(flags, srcFile, destFile, srcDir, destDir, curDir, tmpFile, tmpFileLen);
}

}  // namespace os
