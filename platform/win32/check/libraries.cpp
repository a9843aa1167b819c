// Library loading by bare name: a library planted beside this program (the
// build puts a mapi32.dll there) must never be the one loaded. Not a planted
// version.dll, though the installer's worry is that one: Wine's own user32
// imports version.dll, so Wine itself would take it at start-up. Under Wine,
// run with WINEDLLOVERRIDES=mapi32=n,b; otherwise Wine substitutes its
// built-in library for any file of that name and the planted one never runs.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <string>

#include "platform/win32/check/check.h"
#include "platform/win32/check/paths.h"
#include "platform/win32/libraries.h"

namespace {
std::string Marker() { return ExeFolder() + "planted.ran"; }
std::string Planted() { return ExeFolder() + "mapi32.dll"; }

bool InSystemFolder(os::HMODULE module) {
  const std::string path = ModulePath(module);
  const std::string system = SystemFolder() + "\\";
  return _strnicmp(path.c_str(), system.c_str(), system.size()) == 0;
}
}  // namespace

void CheckLibraries() {
  DeleteFileA(Marker().c_str());
  CHECK(Exists(Planted()));

  const os::HMODULE mapi = os::LoadLibraryA("mapi32.dll");
  CHECK(mapi != nullptr && InSystemFolder(mapi));
  CHECK(!Exists(Marker()));
  CHECK(os::FreeLibrary(mapi));

  const os::HMODULE version = os::LoadLibraryA("version.dll");
  CHECK(version != nullptr && InSystemFolder(version));
  CHECK(os::GetProcAddress(version, "VerInstallFileA") != nullptr);
  CHECK(os::FreeLibrary(version));

  const os::HMODULE kernel = os::LoadLibraryA("Kernel32.dll");
  CHECK(kernel != nullptr && InSystemFolder(kernel));
  CHECK(os::GetProcAddress(kernel, "GetDiskFreeSpaceExA") != nullptr);
  CHECK(os::GetProcAddress(kernel, "NoSuchFunction") == nullptr);
  CHECK(os::GetLastError() == ERROR_PROC_NOT_FOUND);

  CHECK(os::LoadLibraryA("no-such-library.dll") == nullptr);
  CHECK(os::GetLastError() == ERROR_MOD_NOT_FOUND);

  // A name of 300 characters cannot be a path in the system folder.
  const std::string longName(300, 'x');
  CHECK(os::LoadLibraryA(longName.c_str()) == nullptr);

  // With the process restricted, even the plain call looks in the system
  // folder only (where the system offers the restriction).
  win32::RestrictLibrarySearch();
  if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")) {
    const HMODULE plain = LoadLibraryA("mapi32.dll");
    CHECK(plain != nullptr && InSystemFolder(reinterpret_cast<os::HMODULE>(plain)));
    CHECK(!Exists(Marker()));
    if (plain) FreeLibrary(plain);
  }
}

// Last of all: proves that the planted library is a real one that would have
// run (and left its marker) had it been loaded, so its absence above counts.
void CheckPlantedLibraryWouldRun() {
  const HMODULE planted = LoadLibraryA(Planted().c_str());
  CHECK(planted != nullptr);
  CHECK(Exists(Marker()));
  DeleteFileA(Marker().c_str());
}
