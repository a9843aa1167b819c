// Runs a scenario in the simulated machine: the before facts on a fresh
// machine, the real installer as one process per run with the scenario user
// at the machine, then the after facts.
#pragma once

#include <string>
#include <vector>

#include "tests/scenario_sim/machine_facts.h"

namespace scenario_sim {

struct Outcome {
  bool skipped = false;                // the scenario is for Wine only
  std::vector<std::string> failures;   // empty: the scenario passed
  std::string transcript;              // what the program showed, one line each
};

Outcome RunScenario(const std::string& text, const Setup& setup);

}  // namespace scenario_sim
