// The product's registry entries under HKEY_LOCAL_MACHINE.
#pragma once

#include <string>

namespace tz {

constexpr const char* kAppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Testanza.exe";
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Testanza";
constexpr const char* kVendorKey = "SOFTWARE\\DU Dodoridu";
constexpr const char* kProductKey = "SOFTWARE\\DU Dodoridu\\Testanza";

// The installation folder as the installer recorded it (App Paths "Path"), or "".
std::string RecordedInstallFolder();

// Deletes HKLM\<path> with everything below it. Returns a Win32 error code;
// ERROR_FILE_NOT_FOUND when the key is not there.
long DeleteKeyTree(const char* path);

// Deletes HKLM\<path> only when it has neither subkeys nor values.
long DeleteKeyIfEmpty(const char* path);

}  // namespace tz
