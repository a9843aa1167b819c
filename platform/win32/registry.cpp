// advapi32: the registry.
#include "platform/os.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>

#include "platform/win32/convert.h"

using win32::As;
using win32::ToWin;

namespace os {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD access, HKEY* result) {
  return ::RegOpenKeyExA(ToWin(key), subKey, options, access, As<::HKEY>(result));
}
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                     DWORD access, void* securityAttributes, HKEY* result, DWORD* disposition) {
  // The SDK's prototype takes the class as a writable string; it only reads it.
  return ::RegCreateKeyExA(ToWin(key), subKey, reserved, const_cast<char*>(className), options, access,
                           static_cast<LPSECURITY_ATTRIBUTES>(securityAttributes), As<::HKEY>(result),
                           As<::DWORD>(disposition));
}
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
  return ::RegQueryValueExA(ToWin(key), valueName, As<::DWORD>(reserved), As<::DWORD>(type), data,
                            As<::DWORD>(size));
}
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  return ::RegSetValueExA(ToWin(key), valueName, reserved, type, data, size);
}
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, char* className,
                   DWORD* classSize, FILETIME* lastWriteTime) {
  return ::RegEnumKeyExA(ToWin(key), index, name, As<::DWORD>(nameSize), As<::DWORD>(reserved), className,
                         As<::DWORD>(classSize), As<::FILETIME>(lastWriteTime));
}
LONG RegDeleteKeyA(HKEY key, const char* subKey) { return ::RegDeleteKeyA(ToWin(key), subKey); }
LONG RegCloseKey(HKEY key) { return ::RegCloseKey(ToWin(key)); }

}  // namespace os
