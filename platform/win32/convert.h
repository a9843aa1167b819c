// Casts between our os:: types and the Windows SDK's. Both describe the same
// i386 layouts; the asserts make that a compile-time fact instead of a hope.
// Include after "platform/os.h" and <windows.h>.
#pragma once

#include <cstddef>

namespace win32 {

#define WIN32_SAME_LAYOUT(osType, winType) \
  static_assert(sizeof(os::osType) == sizeof(::winType), #osType " differs from the Windows layout")
WIN32_SAME_LAYOUT(RECT, RECT);
WIN32_SAME_LAYOUT(PAINTSTRUCT, PAINTSTRUCT);
WIN32_SAME_LAYOUT(SYSTEMTIME, SYSTEMTIME);
WIN32_SAME_LAYOUT(FILETIME, FILETIME);
WIN32_SAME_LAYOUT(ULARGE_INTEGER, ULARGE_INTEGER);
WIN32_SAME_LAYOUT(GUID, GUID);
WIN32_SAME_LAYOUT(WCHAR, WCHAR);
WIN32_SAME_LAYOUT(LPARAM, LPARAM);
WIN32_SAME_LAYOUT(WPARAM, WPARAM);
WIN32_SAME_LAYOUT(LRESULT, LRESULT);
#undef WIN32_SAME_LAYOUT
static_assert(offsetof(os::PAINTSTRUCT, rcPaint) == offsetof(::PAINTSTRUCT, rcPaint), "PAINTSTRUCT");
static_assert(offsetof(os::PAINTSTRUCT, rgbReserved) == offsetof(::PAINTSTRUCT, rgbReserved), "PAINTSTRUCT");
static_assert(offsetof(os::SYSTEMTIME, wMilliseconds) == offsetof(::SYSTEMTIME, wMilliseconds), "SYSTEMTIME");
static_assert(offsetof(os::GUID, Data4) == offsetof(::GUID, Data4), "GUID");

// Handles: distinct pointer types on each side, one overload per pair.
#define WIN32_HANDLE_CAST(type)                                                  \
  inline ::type ToWin(os::type h) { return reinterpret_cast<::type>(h); }       \
  inline os::type FromWin(::type h) { return reinterpret_cast<os::type>(h); }
WIN32_HANDLE_CAST(HWND)
WIN32_HANDLE_CAST(HINSTANCE)
WIN32_HANDLE_CAST(HICON)
WIN32_HANDLE_CAST(HBRUSH)
WIN32_HANDLE_CAST(HFONT)
WIN32_HANDLE_CAST(HDC)
WIN32_HANDLE_CAST(HKEY)
WIN32_HANDLE_CAST(HRSRC)
#undef WIN32_HANDLE_CAST

// Structures and the rest of the pointers: same layout, other name.
template <class To, class From>
inline To* As(From* p) {
  return reinterpret_cast<To*>(p);
}
template <class To, class From>
inline const To* As(const From* p) {
  return reinterpret_cast<const To*>(p);
}

}  // namespace win32
