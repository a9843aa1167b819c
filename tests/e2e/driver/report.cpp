#include "report.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace e2e {
namespace {

int g_failures = 0;
const DWORD g_start = GetTickCount();

void Print(const char* prefix, const char* format, va_list args) {
  std::fputs(prefix, stdout);
  std::vfprintf(stdout, format, args);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

// Each line carries the seconds since the start: Wine can be slow, and the
// log should show where the time went.
void Say(const char* format, ...) {
  char stamp[24];
  std::snprintf(stamp, sizeof stamp, "[%6.1f] ", (GetTickCount() - g_start) / 1000.0);
  va_list args;
  va_start(args, format);
  Print(stamp, format, args);
  va_end(args);
}

void Fail(const char* format, ...) {
  ++g_failures;
  va_list args;
  va_start(args, format);
  Print("    FAIL: ", format, args);
  va_end(args);
}

void Pass(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Print("    ok: ", format, args);
  va_end(args);
}

int Failures() { return g_failures; }

}  // namespace e2e
