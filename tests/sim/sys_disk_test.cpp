// Libraries and the two free-space queries, and the Windows folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/os.h"
#include "platform/sim/machine.h"

namespace {

struct DiskTest : ::testing::Test {
  sim::Machine m;
  DiskTest() { sim::Use(&m); }
  ~DiskTest() override { sim::Use(nullptr); }

  os::PFN_GetDiskFreeSpaceExA LookUpEx(os::HMODULE kernel) {
    return reinterpret_cast<os::PFN_GetDiskFreeSpaceExA>(
        reinterpret_cast<void (*)()>(os::GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
  }
};

TEST_F(DiskTest, LibrariesLoadAndCountTheirReferences) {
  const os::HMODULE kernel = os::LoadLibraryA("Kernel32.dll");
  ASSERT_NE(nullptr, kernel);
  EXPECT_EQ(kernel, os::LoadLibraryA("C:\\Windows\\System32\\KERNEL32"));
  EXPECT_NE(nullptr, os::LoadLibraryA("version.dll"));
  EXPECT_EQ(3, m.system.LoadedLibraries());
  EXPECT_EQ(nullptr, os::LoadLibraryA("lz32.dll"));
  EXPECT_EQ(static_cast<os::DWORD>(os::ERROR_MOD_NOT_FOUND), os::GetLastError());
  EXPECT_EQ(os::TRUE, os::FreeLibrary(kernel));
  EXPECT_EQ(os::TRUE, os::FreeLibrary(kernel));
  EXPECT_EQ(os::FALSE, os::FreeLibrary(kernel));
  EXPECT_EQ(1, m.system.LoadedLibraries());
}

TEST_F(DiskTest, VersionLibraryCanBeAbsentAndKernelCanFailToLoad) {
  m.system.versionDllPresent = false;
  EXPECT_EQ(nullptr, os::LoadLibraryA("version.dll"));
  m.Fail("LoadLibraryA", "Kernel32.dll");
  EXPECT_EQ(nullptr, os::LoadLibraryA("Kernel32.dll"));
  EXPECT_EQ(0, m.system.LoadedLibraries());
}

TEST_F(DiskTest, TheSixtyFourBitQueryReportsItsThreeFigures) {
  sim::Drive& d = m.system.AddDrive('D');
  d.availableToCaller = 499999;
  d.totalFree = 5000000000ull;
  d.totalBytes = 8000000000ull;
  const os::HMODULE kernel = os::LoadLibraryA("Kernel32.dll");
  const os::PFN_GetDiskFreeSpaceExA query = LookUpEx(kernel);
  ASSERT_NE(nullptr, query);
  os::ULARGE_INTEGER available{}, total{}, totalFree{};
  for (const char* root : {"D:", "D:\\", "d:\\"}) {
    ASSERT_EQ(os::TRUE, query(root, &available, &total, &totalFree)) << root;
    EXPECT_EQ(499999u, available.QuadPart);
    EXPECT_EQ(8000000000ull, total.QuadPart);
    EXPECT_EQ(5000000000ull, totalFree.QuadPart);
  }
  EXPECT_EQ(os::FALSE, query("Q:", &available, &total, &totalFree));  // no such drive
  m.system.FindDrive('D')->usable = false;
  EXPECT_EQ(os::FALSE, query("D:", &available, &total, &totalFree));
}

TEST_F(DiskTest, WithoutTheSixtyFourBitQueryTheLookupFails) {
  m.system.freeSpaceExAvailable = false;
  const os::HMODULE kernel = os::LoadLibraryA("Kernel32.dll");
  EXPECT_EQ(nullptr, LookUpEx(kernel));
  EXPECT_EQ(static_cast<os::DWORD>(os::ERROR_PROC_NOT_FOUND), os::GetLastError());
}

TEST_F(DiskTest, ClusterGeometryCanWrapTheThirtyTwoBitProduct) {
  sim::Drive& d = m.system.AddDrive('D');
  d.sectorsPerCluster = 64;
  d.bytesPerSector = 512;
  d.freeClusters = 131072;  // 4 GiB: the 32-bit product is 0
  os::DWORD spc = 0, bps = 0, free = 0;
  ASSERT_EQ(os::TRUE, os::GetDiskFreeSpaceA("D:", &spc, &bps, &free, nullptr));
  EXPECT_EQ(0u, static_cast<uint32_t>(spc * bps * free));
  EXPECT_EQ(4ull << 30, static_cast<uint64_t>(spc) * bps * free);
  m.Fail("GetDiskFreeSpaceA", "D:");
  EXPECT_EQ(os::FALSE, os::GetDiskFreeSpaceA("D:", &spc, &bps, &free, nullptr));
}

TEST_F(DiskTest, SetFreeSpaceKeepsBothQueriesInStep) {
  m.system.AddDrive('D', 600000);
  os::DWORD spc = 0, bps = 0, free = 0;
  ASSERT_EQ(os::TRUE, os::GetDiskFreeSpaceA("D:", &spc, &bps, &free, nullptr));
  EXPECT_EQ(600000u / 4096 * 4096, spc * bps * free);
  EXPECT_EQ(600000u, m.system.FindDrive('D')->availableToCaller);
}

TEST_F(DiskTest, WindowsDirectory) {
  char buffer[260];
  EXPECT_EQ(10u, os::GetWindowsDirectoryA(buffer, sizeof buffer));
  EXPECT_STREQ("C:\\Windows", buffer);
  EXPECT_EQ(11u, os::GetWindowsDirectoryA(buffer, 10));  // too small: the size needed
  m.system.windowsDir = "D:\\WINNT";
  EXPECT_EQ(8u, os::GetWindowsDirectoryA(buffer, sizeof buffer));
  m.Fail("GetWindowsDirectoryA");
  EXPECT_EQ(0u, os::GetWindowsDirectoryA(buffer, sizeof buffer));
}

}  // namespace
