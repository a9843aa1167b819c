// A scenario's facts on the simulated machine: the before section sets the
// machine up, the after section is checked against it once the program has
// ended. "sim ..." lines are the sim's own settings and checks.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "tests/scenario/scenario.h"
#include "tests/scenario_sim/failures.h"

namespace scenario_sim {

// Where the runner finds the program's resources and the payload files that
// payload= names.
struct Setup {
  std::string resources;
  std::string payloadDir;
};

// The values of ${Name} on this machine.
scenario::Variables MachineVariables(const sim::Machine& m);

void ApplyBefore(const std::vector<scenario::Fact>& facts, const Setup& setup, sim::Machine& m, Failures* f);

// The exit codes of the runs, in order.
void CheckAfter(const std::vector<scenario::Fact>& facts, const Setup& setup, sim::Machine& m,
                const std::vector<int>& exitCodes, Failures* f);

// "sim ..." lines (directives.cpp).
void ApplyDirective(const scenario::Fact& fact, sim::Machine& m, Failures* f);
void CheckDirective(const scenario::Fact& fact, sim::Machine& m, Failures* f);

// The bytes a file fact gives (payload= read from the payload folder).
bool ContentOf(const scenario::Fact& fact, const Setup& setup, std::string* bytes, Failures* f);

// Registry facts are about HKEY_LOCAL_MACHINE, the only root the sim has.
bool InLocalMachine(const scenario::Fact& fact, Failures* f);
// Launched files: by full path when the pattern holds a backslash, otherwise
// by file name; case does not matter.
bool SameProgram(const std::string& launched, const std::string& pattern);

}  // namespace scenario_sim
