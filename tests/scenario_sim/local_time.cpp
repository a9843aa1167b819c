#include "tests/scenario_sim/local_time.h"

#include <ctime>

namespace scenario_sim {
namespace {
constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
}  // namespace

sim::FileTime FromLocal(const scenario::LocalTime& t, int utcOffsetMinutes) {
  const sim::FileTime local = sim::MakeFileTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
  return local - static_cast<sim::FileTime>(static_cast<int64_t>(utcOffsetMinutes) * 60 * kTicksPerSecond);
}

scenario::LocalTime ToLocal(sim::FileTime t, int utcOffsetMinutes) {
  const int64_t unix = static_cast<int64_t>(t / kTicksPerSecond) - kSecondsFrom1601To1970;
  const std::time_t local = static_cast<std::time_t>(unix + int64_t{utcOffsetMinutes} * 60);
  std::tm fields{};
  gmtime_r(&local, &fields);
  scenario::LocalTime out;
  out.year = fields.tm_year + 1900;
  out.month = fields.tm_mon + 1;
  out.day = fields.tm_mday;
  out.hour = fields.tm_hour;
  out.minute = fields.tm_min;
  out.second = fields.tm_sec;
  return out;
}

}  // namespace scenario_sim
