#include "removal.h"

#include <windows.h>
#include <shlobj.h>

#include "registry.h"

namespace tz {
namespace {

const char* const kProductFiles[] = {"Testanza.exe", "Testanza.hlp", "Testanza.txt"};
// WinHelp keeps its own index files beside a help file it has opened.
const char* const kHelpCaches[] = {"Testanza.GID", "Testanza.FTS"};
const char* const kGroupLinks[] = {"Testanza.lnk", "Testanza Help.lnk", "Uninstall Testanza.lnk"};

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return std::string();
  return path;
}

void DeleteOne(const std::string& path, Report& report) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!DeleteFileA(path.c_str())) report.Note(path, GetLastError());
}

void RemoveFolderIfEmpty(const std::string& path, Report& report) {
  if (RemoveDirectoryA(path.c_str())) return;
  DWORD error = GetLastError();
  if (error != ERROR_DIR_NOT_EMPTY) report.Note(path, error);
}

void RemoveLinks(Report& report) {
  std::string programs = SpecialFolder(CSIDL_PROGRAMS);
  if (!programs.empty()) {
    std::string group = programs + "\\Testanza";
    for (const char* link : kGroupLinks) DeleteOne(group + "\\" + link, report);
    RemoveFolderIfEmpty(group, report);
  }
  std::string desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  if (!desktop.empty()) DeleteOne(desktop + "\\Testanza.lnk", report);
}

void RemoveKeys(Report& report) {
  const std::string root = "HKEY_LOCAL_MACHINE\\";
  report.Note(root + kAppPathsKey, DeleteKeyTree(kAppPathsKey));
  report.Note(root + kUninstallKey, DeleteKeyTree(kUninstallKey));
  report.Note(root + kProductKey, DeleteKeyTree(kProductKey));
  report.Note(root + kVendorKey, DeleteKeyIfEmpty(kVendorKey));
}

}  // namespace

void RemoveProduct(const std::string& folder, Report& report) {
  if (!folder.empty()) {
    for (const char* name : kProductFiles) DeleteOne(folder + "\\" + name, report);
    for (const char* name : kHelpCaches) DeleteOne(folder + "\\" + name, report);
  }
  RemoveLinks(report);
  RemoveKeys(report);
}

void RemoveUninstallerAndFolder(const std::string& uninstaller, const std::string& folder,
                                Report& report) {
  // The first copy has ended by now, but the system may take a moment to let go
  // of its image file.
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (DeleteFileA(uninstaller.c_str())) {
      error = ERROR_SUCCESS;
      break;
    }
    error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) break;
    Sleep(200);
  }
  report.Note(uninstaller, error);
  if (!folder.empty()) RemoveFolderIfEmpty(folder, report);
}

}  // namespace tz
