// A tiny harness for the back end's checks under Wine or Windows: each check
// prints what failed and where, and the process's exit code counts failures.
#pragma once

#include <cstdio>

namespace check {
extern int failures;
inline void Fail(const char* file, int line, const char* what) {
  std::printf("FAIL %s:%d: %s\n", file, line, what);
  ++failures;
}
}  // namespace check

#define CHECK(cond)                                         \
  do {                                                      \
    if (!(cond)) check::Fail(__FILE__, __LINE__, #cond);    \
  } while (0)

// The checks, one function per area.
void CheckLibraries();
void CheckFilesAndFolders();
void CheckTimes();
void CheckRegistry();
void CheckShellLink();
void CheckVersionInstall();
void CheckDialogs();
void CheckPlantedLibraryWouldRun();
