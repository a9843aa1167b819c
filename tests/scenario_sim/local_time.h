// Scenario times are local date-times; the simulated machine keeps UTC file
// times and a fixed offset of its time zone.
#pragma once

#include "platform/sim/system_state.h"
#include "tests/scenario/scenario.h"

namespace scenario_sim {

sim::FileTime FromLocal(const scenario::LocalTime& t, int utcOffsetMinutes);
scenario::LocalTime ToLocal(sim::FileTime t, int utcOffsetMinutes);

}  // namespace scenario_sim
