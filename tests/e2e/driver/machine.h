// The machine's side of a scenario: its variables, the before facts applied
// to it, and the after facts checked on it.
#pragma once

#include <windows.h>

#include <string>

#include "peers.h"
#include "tests/scenario/scenario.h"

namespace e2e {

struct Machine {
  std::string payloadDir;
  Peers peers;
  HANDLE setup = nullptr;  // the installer's process, for the exit code
};

bool MachineVariables(scenario::Variables* out, std::string* error);

// Each prints what it does and reports a failure; false on failure.
bool ApplyBefore(const scenario::Fact& fact, Machine* m);
bool CheckAfter(const scenario::Fact& fact, Machine* m);

}  // namespace e2e
