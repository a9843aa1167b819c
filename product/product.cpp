#include "product/product.h"

namespace product {

const char* const kWindowTitles[11] = {
    "Testanza",        "Testanza BETA 1", "Testanza BETA 2", "Testanza BETA 3",
    "Testanza BETA 4", "Testanza BETA 5", "Testanza BETA 6", "Testanza BETA 7",
    "Testanza BETA 8", "Testanza BETA 9", "",
};

const PayloadFile kPayload[6] = {
    {134, "Testanza.exe", "Couldn't install Testanza.exe!", OnFailure::Stop},
    {136, "Testanza.hlp", "Couldn't install Testanza.hlp!", OnFailure::Stop},
    {135, "Uninstall.exe", "Couldn't install Uninstall.exe!", OnFailure::Stop},
    {133, "Testanza.txt", "Couldn't install Testanza.txt!", OnFailure::Stop},
    {137, "US-Caps_FITB.TZ1", "Couldn't install first sample test file!", OnFailure::Warn},
    {138, "US-Caps_MULT.TZ1", "Couldn't install second sample test file!", OnFailure::Warn},
};

}  // namespace product

CString g_strInstallDir;
CString g_strProgramsGroupDir;
int g_bDirCreated = 0;
int g_bExeInstalled = 0;
int g_bHelpInstalled = 0;
int g_bUninstallerInstalled = 0;
int g_bTextInstalled = 0;
int g_bShortcutsCreated = 0;
int g_bRegistryUpdated = 0;

void ResetProcessGlobals() {
  g_strInstallDir.Empty();
  g_strProgramsGroupDir.Empty();
  g_bDirCreated = g_bExeInstalled = g_bHelpInstalled = g_bUninstallerInstalled = 0;
  g_bTextInstalled = g_bShortcutsCreated = g_bRegistryUpdated = 0;
}
