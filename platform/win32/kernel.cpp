// kernel32: libraries, errors, the mutex, our own resources, files and times.
#include "platform/os.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>

#include "platform/win32/convert.h"
#include "platform/win32/libraries.h"

using win32::As;
using win32::FromWin;
using win32::ToWin;

namespace os {

namespace {
// No drive and no folder: a name the loader would go searching for.
bool IsBareName(const char* name) {
  for (const char* p = name; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') return false;
  return true;
}
}  // namespace

// A bare name is never searched for: it could be found beside setup.exe.
HMODULE LoadLibraryA(const char* name) {
  if (!name) return FromWin(::LoadLibraryA(name));
  return FromWin(IsBareName(name) ? win32::LoadSystemLibrary(name) : ::LoadLibraryA(name));
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<FARPROC>(::GetProcAddress(ToWin(module), name));
}
BOOL FreeLibrary(HMODULE module) { return ::FreeLibrary(ToWin(module)); }
HMODULE GetModuleHandleA(const char* name) { return FromWin(::GetModuleHandleA(name)); }
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  return ::GetModuleFileNameA(ToWin(module), buffer, size);
}
DWORD GetLastError() { return ::GetLastError(); }
void SetLastError(DWORD code) { ::SetLastError(code); }

HANDLE CreateMutexA(void* securityAttributes, BOOL initialOwner, const char* name) {
  return ::CreateMutexA(static_cast<LPSECURITY_ATTRIBUTES>(securityAttributes), initialOwner, name);
}
BOOL ReleaseMutex(HANDLE mutex) { return ::ReleaseMutex(mutex); }
BOOL CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

HRSRC FindResourceA(HMODULE module, const char* name, const char* type) {
  return FromWin(::FindResourceA(ToWin(module), name, type));
}
HGLOBAL LoadResource(HMODULE module, HRSRC resource) { return ::LoadResource(ToWin(module), ToWin(resource)); }
DWORD SizeofResource(HMODULE module, HRSRC resource) { return ::SizeofResource(ToWin(module), ToWin(resource)); }
void* LockResource(HGLOBAL data) { return ::LockResource(data); }

HANDLE CreateFileA(const char* name, DWORD access, DWORD shareMode, void* securityAttributes, DWORD disposition,
                   DWORD flags, HANDLE templateFile) {
  return ::CreateFileA(name, access, shareMode, static_cast<LPSECURITY_ATTRIBUTES>(securityAttributes),
                       disposition, flags, templateFile);
}
BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) {
  return ::SetFileTime(file, As<::FILETIME>(creation), As<::FILETIME>(lastAccess), As<::FILETIME>(lastWrite));
}
void GetLocalTime(SYSTEMTIME* time) { ::GetLocalTime(As<::SYSTEMTIME>(time)); }
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime) {
  return ::SystemTimeToFileTime(As<::SYSTEMTIME>(time), As<::FILETIME>(fileTime));
}
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) {
  return ::LocalFileTimeToFileTime(As<::FILETIME>(local), As<::FILETIME>(utc));
}
UINT GetWindowsDirectoryA(char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); }
BOOL SetFileAttributesA(const char* name, DWORD attributes) { return ::SetFileAttributesA(name, attributes); }
BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectorsPerCluster, DWORD* bytesPerSector, DWORD* freeClusters,
                       DWORD* totalClusters) {
  return ::GetDiskFreeSpaceA(root, As<::DWORD>(sectorsPerCluster), As<::DWORD>(bytesPerSector),
                             As<::DWORD>(freeClusters), As<::DWORD>(totalClusters));
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* wide, int wideSize) {
  return ::MultiByteToWideChar(codePage, flags, text, length, As<wchar_t>(wide), wideSize);
}
char* lstrcpyA(char* dest, const char* src) { return ::lstrcpyA(dest, src); }
char* lstrcatA(char* dest, const char* src) { return ::lstrcatA(dest, src); }
int lstrlenA(const char* text) { return ::lstrlenA(text); }

}  // namespace os
