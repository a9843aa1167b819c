// Clock, time conversion and file time stamps.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <string>

#include "platform/win32/check/check.h"
#include "platform/win32/check/paths.h"

void CheckTimes() {
  const os::time_t now = os::time(nullptr);
  os::time_t stored = 0;
  CHECK(os::time(&stored) >= now && stored >= now);
  CHECK(now > 1600000000);  // later than 2020: the clock is real and whole

  os::SYSTEMTIME local = {};
  os::GetLocalTime(&local);
  CHECK(local.wYear >= 2020 && local.wMonth >= 1 && local.wMonth <= 12 && local.wDay >= 1);

  // 1 June 1998 12:00:00 as a FILETIME: 125 411 760 000 000 000 hundred-ns.
  const os::SYSTEMTIME stamp = {1998, 6, 1, 1, 12, 0, 0, 0};
  os::FILETIME asLocal = {}, asUtc = {};
  CHECK(os::SystemTimeToFileTime(&stamp, &asLocal));
  CHECK(((uint64_t(asLocal.dwHighDateTime) << 32) | asLocal.dwLowDateTime) == 125411760000000000ull);
  CHECK(os::LocalFileTimeToFileTime(&asLocal, &asUtc));
  const os::SYSTEMTIME invalid = {1998, 13, 0, 40, 25, 0, 0, 0};
  os::FILETIME ignored;
  CHECK(!os::SystemTimeToFileTime(&invalid, &ignored));

  const std::string file = ScratchFolder("times") + "\\stamped.txt";
  const os::HANDLE h = os::CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
  CHECK(h != INVALID_HANDLE_VALUE);
  CHECK(os::SetFileTime(h, &asUtc, &asUtc, &asUtc));
  FILETIME written = {};
  CHECK(GetFileTime(h, nullptr, nullptr, &written));
  CHECK(written.dwLowDateTime == asUtc.dwLowDateTime && written.dwHighDateTime == asUtc.dwHighDateTime);
  CHECK(os::CloseHandle(h));
  CHECK(os::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) != INVALID_HANDLE_VALUE);
  CHECK(os::CreateFileA((file + ".missing").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) ==
        INVALID_HANDLE_VALUE);
  CHECK(os::GetLastError() == ERROR_FILE_NOT_FOUND);
}
