// Everything that names or describes the one product this program installs.
// Other code takes its names from here and spells none of its own.
#pragma once

#include "platform/framework.h"

namespace product {

// ---- identity ------------------------------------------------------------------
constexpr const char kName[] = "Testanza";
constexpr const char kNameCaps[] = "TESTANZA";
constexpr const char kTitleWithVersion[] = "Testanza 1.20";
constexpr const char kVersion[] = "1.20";
constexpr const char kVendor[] = "DU Dodoridu";
constexpr const char kFolderSuffix[] = "\\Testanza";
constexpr const char kKind[] = "test management software";

// ---- window captions -------------------------------------------------------------
constexpr const char kWelcomeCaption[] = "Testanza Installation";
constexpr const char kAgreementCaption[] = "Testanza License Agreement";
constexpr const char kInstallCaptionTemplate[] = "Install Testanza";
constexpr const char kInstallCaptionPrefix[] = "DU Dodoridu - Install ";
constexpr const char kBrowseTitle[] = "Testanza Installation Folder";

// ---- the running product ---------------------------------------------------------
constexpr const char kMutexName[] = "KV_TZ_Mutex";
constexpr unsigned kCloseRequest = 0x501;  // WM_USER + 0x101, both parameters 0
// Its main-window titles in search order; the empty text ends the list.
extern const char* const kWindowTitles[11];

// ---- payload ---------------------------------------------------------------------
enum class OnFailure { Stop, Warn };
struct PayloadFile {
  unsigned resourceId;
  const char* fileName;
  const char* failureMessage;
  OnFailure onFailure;
};
// In installation order; the resource ids are not ascending in that order.
extern const PayloadFile kPayload[6];
constexpr const char kPayloadType[] = "MSZ";
constexpr const char kTempPacked[] = "TZ.MSZ";
constexpr const char kTempExpanded[] = "TZ.XXX";
constexpr const char kProgramFile[] = "Testanza.exe";
constexpr const char kHelpFile[] = "Testanza.hlp";
constexpr const char kTextFile[] = "Testanza.txt";
constexpr const char kUninstallerFile[] = "Uninstall.exe";

// ---- registry (all under HKEY_LOCAL_MACHINE) ---------------------------------------
constexpr const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char kProgramFilesValue[] = "ProgramFilesDir";
constexpr const char kVendorKey[] = "SOFTWARE\\DU Dodoridu";
constexpr const char kVendorProductKey[] = "SOFTWARE\\DU Dodoridu\\Testanza";
constexpr const char kVendorVersionKeyPrefix[] = "SOFTWARE\\DU Dodoridu\\Testanza\\";
constexpr const char kAppPathsParent[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Testanza.exe";
constexpr const char kUninstallParent[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Testanza";
constexpr const char kKeyClass[] = "Testanza";

// ---- shortcuts ---------------------------------------------------------------------
constexpr const char kHelpLinkName[] = "Testanza Help";
constexpr const char kUninstallLinkName[] = "Uninstall Testanza";
constexpr const char kUninstallBaseName[] = "Uninstall";

// ---- folders and further values ------------------------------------------------------
constexpr const char kDefaultInstallDir[] = "C:\\Program Files\\Testanza";
constexpr const char kDefaultProgramsDir[] = "C:\\Windows\\Start Menu\\Programs";
constexpr unsigned kMinFreeBytes = 500000;
constexpr int kMinFreeKb = 500;  // the figure the status line shows
constexpr int kPathBuffer = 260;  // the system's path buffers: 259 characters and a zero

}  // namespace product

// ---- process-wide state ----------------------------------------------------------------
extern CString g_strInstallDir;
extern CString g_strProgramsGroupDir;
// How far the install sequence has come: set to 1 as steps succeed, never
// cleared; the rollback reads them.
extern int g_bDirCreated;
extern int g_bExeInstalled;
extern int g_bHelpInstalled;
extern int g_bUninstallerInstalled;
extern int g_bTextInstalled;
extern int g_bShortcutsCreated;
extern int g_bRegistryUpdated;

// The state of a process that has just started. A process gets it from the
// loader; the simulated machine runs many processes in one program and calls
// this at the start of each.
void ResetProcessGlobals();
