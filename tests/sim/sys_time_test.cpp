// The clock, the time zone and the conversions of the installation stamp.
#include <gtest/gtest.h>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

struct TimeTest : ::testing::Test {
  sim::Machine m;
  TimeTest() { sim::Use(&m); }
  ~TimeTest() override { sim::Use(nullptr); }
};

sim::FileTime Value(const os::FILETIME& t) {
  return static_cast<sim::FileTime>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

// 28 July 2002, 01:20:00 local, through the calls the installer makes.
sim::FileTime StampAsUtc() {
  os::SYSTEMTIME t{};
  os::GetLocalTime(&t);
  t.wYear = 2002, t.wMonth = 7, t.wDay = 28, t.wHour = 1, t.wMinute = 20, t.wSecond = 0, t.wMilliseconds = 0;
  os::FILETIME local{}, utc{};
  EXPECT_EQ(os::TRUE, os::SystemTimeToFileTime(&t, &local));
  EXPECT_EQ(os::TRUE, os::LocalFileTimeToFileTime(&local, &utc));
  return Value(utc);
}

TEST_F(TimeTest, TheStampDependsOnTheZoneAtInstallation) {
  const struct {
    int offsetMinutes;
    int utcDay, utcHour, utcMinute;
  } zones[] = {{0, 28, 1, 20}, {60, 28, 0, 20}, {120, 27, 23, 20}, {-300, 28, 6, 20}, {330, 27, 19, 50}};
  for (const auto& z : zones) {
    m.system.utcOffsetMinutes = z.offsetMinutes;
    EXPECT_EQ(sim::MakeFileTime(2002, 7, z.utcDay, z.utcHour, z.utcMinute, 0), StampAsUtc()) << z.offsetMinutes;
  }
}

TEST_F(TimeTest, LocalTimeFollowsTheClockAndTheZone) {
  m.system.clock = 1709294400;  // 2024-03-01 12:00:00 UTC, a Friday
  m.system.utcOffsetMinutes = -720;
  os::SYSTEMTIME t{};
  os::GetLocalTime(&t);
  EXPECT_EQ(2024, t.wYear);
  EXPECT_EQ(3, t.wMonth);
  EXPECT_EQ(1, t.wDay);
  EXPECT_EQ(0, t.wHour);
  EXPECT_EQ(5, t.wDayOfWeek);
  m.system.utcOffsetMinutes = -721;  // one minute further west: the day before
  os::GetLocalTime(&t);
  EXPECT_EQ(2, t.wMonth);
  EXPECT_EQ(29, t.wDay);  // a leap year
  EXPECT_EQ(23, t.wHour);
  EXPECT_EQ(59, t.wMinute);
  EXPECT_EQ(4, t.wDayOfWeek);
  EXPECT_EQ(1709294400, os::time(nullptr));
  os::time_t out = 0;
  os::time(&out);
  EXPECT_EQ(1709294400, out);
}

TEST_F(TimeTest, SystemTimeToFileTimeRefusesImpossibleDates) {
  os::SYSTEMTIME t{};
  t.wYear = 2001, t.wMonth = 2, t.wDay = 29;
  os::FILETIME ft{};
  EXPECT_EQ(os::FALSE, os::SystemTimeToFileTime(&t, &ft));
  t.wYear = 2000;
  EXPECT_EQ(os::TRUE, os::SystemTimeToFileTime(&t, &ft));
  EXPECT_EQ(sim::FileTimeFromUnix(951782400), Value(ft));  // 2000-02-29 00:00:00
  t.wHour = 24;
  EXPECT_EQ(os::FALSE, os::SystemTimeToFileTime(&t, &ft));
  EXPECT_EQ(0u, sim::MakeFileTime(1600, 12, 31, 0, 0, 0));
}

}  // namespace
