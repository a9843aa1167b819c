// Runs every check of the Win32 back end against the real system calls.
// Prints one line per failure and "ok N" / "FAILED N" at the end.
#include <cstdio>

#include "platform/win32/check/check.h"

int check::failures = 0;

int main() {
  // The library check first, while no library has been loaded by name yet.
  CheckLibraries();
  CheckFilesAndFolders();
  CheckTimes();
  CheckRegistry();
  CheckShellLink();
  CheckVersionInstall();
  CheckDialogs();
  CheckPlantedLibraryWouldRun();
  std::printf(check::failures ? "FAILED %d\n" : "ok %d\n", check::failures);
  return check::failures;
}
