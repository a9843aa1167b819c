// A running program cannot delete its own file. So the installed Uninstall.exe
// only asks for confirmation, then starts a copy of itself from the temporary
// folder and ends. The copy waits until the first process has ended (it
// inherits a handle to it: no race with the process id being reused), does the
// whole removal, deletes the installed Uninstall.exe and the folder, and at
// last hands its own file to a short command script that deletes it once the
// copy has ended, and then deletes itself. MoveFileEx with
// MOVEFILE_DELAY_UNTIL_REBOOT would leave the copy until the next restart and
// a pending entry in the registry; the script leaves nothing behind.
#pragma once

#include <windows.h>

#include <string>

namespace tz {

// Path of this program's own file.
std::string OwnPath();

// Starts the temporary copy in its second stage; false when it could not.
bool StartSecondStage(const std::string& original);

// In the copy: waits (bounded) until the first stage has ended.
void WaitForFirstStage(HANDLE first);

// In the copy: arranges for this program's file to be deleted after it ends.
void DeleteSelfAfterExit();

}  // namespace tz
