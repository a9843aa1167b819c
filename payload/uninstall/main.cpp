// Uninstall.exe: removes Testanza 1.20 from the machine. Started from the
// "UninstallString" entry or the "Uninstall Testanza" link with no arguments;
// the second stage (see handoff.h) is this same program started with
//   /stage2 <inherited process handle> "<path of the installed Uninstall.exe>"
#include <windows.h>

#include <cstdlib>
#include <string>

#include "close_running.h"
#include "handoff.h"
#include "registry.h"
#include "removal.h"
#include "report.h"

namespace {

const char kCaption[] = "Uninstall Testanza";

bool Confirmed() {
  return MessageBoxA(nullptr,
                     "This removes Testanza 1.20 from your computer: the program, its help "
                     "and read-me files, its shortcuts and its registry entries.\r\n\r\n"
                     "Your test files (*.TZ1) are kept.\r\n\r\n"
                     "Do you want to remove Testanza?",
                     kCaption, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) == IDYES;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Does the removal; `removeSelf` when this process is not the installed file.
int Remove(const std::string& installedUninstaller, bool removeSelf) {
  if (!tz::CloseRunningProduct()) {
    MessageBoxA(nullptr,
                "Testanza is still running and could not be closed.\r\n\r\n"
                "Please close Testanza, then run the uninstaller again.",
                kCaption, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    return 1;
  }
  std::string folder = tz::RecordedInstallFolder();
  if (folder.empty()) folder = FolderOf(installedUninstaller);
  tz::Report report;
  tz::RemoveProduct(folder, report);
  if (removeSelf) {
    tz::RemoveUninstallerAndFolder(installedUninstaller, folder, report);
  } else {
    report.Note(installedUninstaller, ERROR_ACCESS_DENIED);
  }
  MessageBoxA(nullptr, report.Text().c_str(), kCaption,
              MB_OK | MB_SETFOREGROUND | (report.Clean() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
  return report.Clean() ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc == 4 && lstrcmpiA(__argv[1], "/stage2") == 0) {
    HANDLE first = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::strtoul(__argv[2], nullptr, 10)));
    tz::WaitForFirstStage(first);
    CloseHandle(first);
    int rc = Remove(__argv[3], true);
    tz::DeleteSelfAfterExit();
    return rc;
  }
  if (!Confirmed()) return 0;
  std::string self = tz::OwnPath();
  if (tz::StartSecondStage(self)) return 0;
  // No temporary copy could be started: remove everything but ourselves.
  return Remove(self, false);
}
