#include "app/version_check.h"

#include "platform/framework.h"

void CheckVersionLibrary() {
  // The system layer loads it from the system folder only: a copy planted
  // beside the setup program must never run in its place.
  if (os::LoadLibraryA("version.dll")) return;
  CString message("Cannot install Testanza!\r\n\r\n");
  message += "VERSION.DLL is not available on your system.\r\n";
  message += "See your system administrator to enable version control.";
  AfxMessageBox(message, os::MB_ICONERROR, 0);
  os::exit(0);
}
