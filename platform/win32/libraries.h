// Where this process may load libraries from. setup.exe usually runs elevated
// from a Downloads folder, next to whatever else was downloaded: a DLL planted
// there under a system library's name would run with the installer's rights.
// So libraries come from the system folder only.
#pragma once

#include <windows.h>

namespace win32 {

// Narrows the process's library search to the system folder, for its own
// loads and for those the system libraries make on its behalf. Call first
// thing; a system that lacks the call (before Windows 8 without the update)
// still gets full-path loads from LoadSystemLibrary.
void RestrictLibrarySearch();

// Loads a library by bare name ("version.dll") from the system folder, by full
// path. Null with ERROR_FILENAME_EXCED_RANGE when the path would not fit.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace win32
