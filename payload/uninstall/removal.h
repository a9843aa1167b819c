// The removal itself: everything the installer put on the machine, except the
// sample tests, which may hold the user's own changes.
#pragma once

#include <string>

#include "report.h"

namespace tz {

// Removes the product files from `folder`, the Start-menu links and their
// folder, the desktop link and the registry entries.
void RemoveProduct(const std::string& folder, Report& report);

// Deletes the uninstaller's own file once its process has ended, then the
// installation folder if nothing else is left in it.
void RemoveUninstallerAndFolder(const std::string& uninstaller, const std::string& folder,
                                Report& report);

}  // namespace tz
