// The machine's clock and time zone: a settable UTC time and a fixed offset
// to local time, which every conversion applies as Windows applies the
// current bias.
#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr uint64_t kTicksPerSecond = 10000000ULL;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int* y, unsigned* m, unsigned* d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (*m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

FileTime ToFileTime(const os::FILETIME& t) { return static_cast<FileTime>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

os::FILETIME FromFileTime(FileTime t) {
  return {static_cast<os::DWORD>(t & 0xFFFFFFFFu), static_cast<os::DWORD>(t >> 32)};
}

int64_t OffsetTicks() {
  return static_cast<int64_t>(Sys().utcOffsetMinutes) * 60 * static_cast<int64_t>(kTicksPerSecond);
}

}  // namespace

FileTime FileTimeFromUnix(int64_t seconds) {
  return static_cast<FileTime>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
}

namespace {

bool ValidDate(int year, int month, int day, int hour, int minute, int second, int millis) {
  return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
         hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59 && millis >= 0 &&
         millis <= 999;
}

}  // namespace

FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second, int millis) {
  if (!ValidDate(year, month, day, hour, minute, second, millis)) return 0;
  const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  const int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
  return FileTimeFromUnix(seconds) + static_cast<FileTime>(millis) * 10000;
}

}  // namespace sim

using namespace sim;

os::time_t os::time(os::time_t* out) {
  long code = 0;
  const os::time_t now = SysFaulted("time", "", 0, &code) ? -1 : Sys().clock;
  if (out) *out = now;
  return now;
}

void os::GetLocalTime(os::SYSTEMTIME* t) {
  if (!t) return;
  const int64_t local = Sys().clock + static_cast<int64_t>(Sys().utcOffsetMinutes) * 60;
  int64_t days = local / 86400;
  int64_t rest = local % 86400;
  if (rest < 0) rest += 86400, --days;
  int year;
  unsigned month, day;
  CivilFromDays(days, &year, &month, &day);
  t->wYear = static_cast<os::WORD>(year);
  t->wMonth = static_cast<os::WORD>(month);
  t->wDay = static_cast<os::WORD>(day);
  t->wDayOfWeek = static_cast<os::WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  t->wHour = static_cast<os::WORD>(rest / 3600);
  t->wMinute = static_cast<os::WORD>(rest / 60 % 60);
  t->wSecond = static_cast<os::WORD>(rest % 60);
  t->wMilliseconds = 0;
}

os::BOOL os::SystemTimeToFileTime(const os::SYSTEMTIME* t, os::FILETIME* out) {
  long code = 0;
  if (SysFaulted("SystemTimeToFileTime", "", os::ERROR_INVALID_PARAMETER, &code)) {
    return SetLastErrorCode(static_cast<uint32_t>(code)), os::FALSE;
  }
  if (!t || !out || !ValidDate(t->wYear, t->wMonth, t->wDay, t->wHour, t->wMinute, t->wSecond, t->wMilliseconds)) {
    return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), os::FALSE;
  }
  *out = FromFileTime(MakeFileTime(t->wYear, t->wMonth, t->wDay, t->wHour, t->wMinute, t->wSecond, t->wMilliseconds));
  return os::TRUE;
}

os::BOOL os::LocalFileTimeToFileTime(const os::FILETIME* local, os::FILETIME* utc) {
  long code = 0;
  if (SysFaulted("LocalFileTimeToFileTime", "", os::ERROR_INVALID_PARAMETER, &code)) {
    return SetLastErrorCode(static_cast<uint32_t>(code)), os::FALSE;
  }
  if (!local || !utc) return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), os::FALSE;
  *utc = FromFileTime(static_cast<FileTime>(static_cast<int64_t>(ToFileTime(*local)) - OffsetTicks()));
  return os::TRUE;
}
