#include <windows.h>
#include <shlobj.h>

#include "machine.h"
#include "win.h"

namespace e2e {
namespace {

// Asked the way the installer asks: an item list, then its path.
bool ShellFolder(int csidl, std::string* path) {
  LPITEMIDLIST items = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, csidl, &items) != S_OK) return false;
  char buf[MAX_PATH] = "";
  BOOL ok = SHGetPathFromIDListA(items, buf);
  CoTaskMemFree(items);
  *path = buf;
  return ok != FALSE;
}

bool ProgramFilesDir(std::string* path) {
  Key key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, key.out()) !=
      ERROR_SUCCESS)
    return false;
  char buf[MAX_PATH] = "";
  DWORD size = sizeof buf - 1;
  if (RegQueryValueExA(key.get(), "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size) !=
      ERROR_SUCCESS)
    return false;
  *path = buf;
  return true;
}

}  // namespace

bool MachineVariables(scenario::Variables* out, std::string* error) {
  std::string pf, programs, desktop;
  char windows[MAX_PATH] = "", system[MAX_PATH] = "", temp[MAX_PATH] = "";
  if (!ProgramFilesDir(&pf)) *error = "the machine has no ProgramFilesDir value";
  else if (!ShellFolder(CSIDL_PROGRAMS, &programs)) *error = "the shell names no Programs folder";
  else if (!ShellFolder(CSIDL_DESKTOP, &desktop)) *error = "the shell names no desktop folder";
  else if (!GetWindowsDirectoryA(windows, MAX_PATH) || !GetSystemDirectoryA(system, MAX_PATH) ||
           !GetTempPathA(MAX_PATH, temp))
    *error = "no Windows, system or temporary folder";
  else
    error->clear();
  if (!error->empty()) return false;
  std::string tempDir = temp;
  if (tempDir.size() > 3 && tempDir.back() == '\\') tempDir.pop_back();
  *out = {{"ProgramFilesDir", pf}, {"Programs", programs}, {"Desktop", desktop},
          {"Windows", windows},    {"System", system},     {"Temp", tempDir}};
  return true;
}

}  // namespace e2e
