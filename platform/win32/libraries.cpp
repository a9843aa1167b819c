#include "platform/win32/libraries.h"

#include <cstring>

namespace win32 {

void RestrictLibrarySearch() {
  // Looked up, not imported: kernel32 of older systems lacks it, and an
  // import would keep setup.exe from starting there at all.
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  if (restrict) restrict(kSearchSystem32);
}

HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH];
  const UINT dirLength = ::GetSystemDirectoryA(path, MAX_PATH);
  const size_t nameLength = std::strlen(name);
  if (dirLength == 0 || dirLength >= MAX_PATH || dirLength + 1 + nameLength >= MAX_PATH) {
    ::SetLastError(dirLength == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  path[dirLength] = '\\';
  std::memcpy(path + dirLength + 1, name, nameLength + 1);
  return ::LoadLibraryA(path);
}

}  // namespace win32
