// Playing the user: each step against the installer's windows.
#pragma once

#include <windows.h>

#include <string>

#include "tests/scenario/scenario.h"

namespace e2e {

struct Session {
  DWORD pid = 0;
  HANDLE process = nullptr;
  HWND current = nullptr;  // the window of the last wait
  std::string currentCaption;
  std::string shotsDir;
};

// Seconds a wait or box step waits unless it says otherwise: E2E_TIMEOUT from
// the environment, or 120.
int StepTimeout();

// Prints and runs one step. False when the run cannot go on: a window that
// did not come, or the wrong message box.
bool RunStep(const scenario::Step& step, Session* s);

// Waits for the installer to end; false (and the installer ended by force)
// when it does not within the timeout.
bool AwaitExit(Session* s, int seconds);

// Lets the programs that the ended installer started come up: each is given
// time until it waits for input.
void AwaitStartedPrograms(DWORD installerPid);

}  // namespace e2e
