// version.dll's VerInstallFileA: expanding SZDD containers from and into the
// simulated file system, and its answers to every kind of fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"
#include "szdd.h"

namespace {

const char* const kDir = "C:\\Program Files\\Testanza";

struct VersionTest : ::testing::Test {
  sim::Machine m;
  std::string original;
  VersionTest() {
    sim::Use(&m);
    for (int i = 0; i < 3000; ++i) original += "Testanza line " + std::to_string(i % 37) + "\r\n";
    m.system.MakeFolders(kDir);
  }
  ~VersionTest() override { sim::Use(nullptr); }

  std::vector<uint8_t> Container() {
    return szdd::Pack(reinterpret_cast<const uint8_t*>(original.data()), original.size());
  }
  os::DWORD Install(os::DWORD flags = os::VIFF_FORCEINSTALL, const char* destDir = kDir) {
    char tmp[260] = {};
    os::UINT length = sizeof tmp;
    return os::VerInstallFileA(flags, "TZ.MSZ", "TZ.XXX", kDir, destDir, destDir, tmp, &length);
  }
  std::string At(const char* name) { return std::string(kDir) + "\\" + name; }
};

TEST_F(VersionTest, ExpandsAGoodContainer) {
  const std::vector<uint8_t> packed = Container();
  ASSERT_LT(packed.size(), original.size());
  m.system.PutFile(At("TZ.MSZ"), packed);
  EXPECT_EQ(0u, Install());
  EXPECT_EQ(original, m.system.Contents(At("TZ.XXX")));
  EXPECT_TRUE(m.system.IsFile(At("TZ.MSZ")));  // the source stays
}

TEST_F(VersionTest, ReplacesAnOldDestinationWhenForced) {
  m.system.PutFile(At("TZ.MSZ"), Container());
  m.system.PutFile(At("TZ.XXX"), "left by an earlier attempt");
  EXPECT_EQ(0u, Install());
  EXPECT_EQ(original, m.system.Contents(At("TZ.XXX")));
}

TEST_F(VersionTest, WithoutForceTheNewFileWaitsUnderATemporaryName) {
  m.system.PutFile(At("TZ.MSZ"), Container());
  m.system.PutFile(At("TZ.XXX"), "old");
  char tmp[260] = {};
  os::UINT length = sizeof tmp;
  const os::DWORD result = os::VerInstallFileA(0, "TZ.MSZ", "TZ.XXX", kDir, kDir, kDir, tmp, &length);
  EXPECT_TRUE(result & 0x1);  // VIF_TEMPFILE
  EXPECT_EQ("old", m.system.Contents(At("TZ.XXX")));
  EXPECT_EQ(original, m.system.Contents(At(tmp)));
}

TEST_F(VersionTest, BadContainersFail) {
  const std::vector<uint8_t> good = Container();
  std::vector<uint8_t> badSignature = good, otherMode = good, longer = good;
  badSignature[0] = 'X';
  otherMode[8] = 'B';
  const uint32_t claimed = static_cast<uint32_t>(original.size() + 1);  // one byte more than the data holds
  for (int i = 0; i < 4; ++i) longer[10 + i] = static_cast<uint8_t>(claimed >> (8 * i));
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {{"truncated", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
               {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 14)},
               {"short header", std::vector<uint8_t>(good.begin(), good.begin() + 9)},
               {"empty", {}},
               {"bad signature", badSignature},
               {"other mode", otherMode},
               {"length beyond the data", longer},
               {"plain text", std::vector<uint8_t>(original.begin(), original.end())}};
  for (const auto& c : cases) {
    m.system.Remove(At("TZ.XXX"));
    m.system.PutFile(At("TZ.MSZ"), c.bytes);
    EXPECT_NE(0u, Install()) << c.what;
    EXPECT_FALSE(m.system.IsFile(At("TZ.XXX"))) << c.what;
  }
}

TEST_F(VersionTest, FaultsOfTheFiles) {
  EXPECT_EQ(os::VIF_CANNOTREADSRC, Install());  // no source
  m.system.PutFile(At("TZ.MSZ"), Container());
  EXPECT_EQ(os::VIF_CANNOTCREATE, Install(os::VIFF_FORCEINSTALL, "C:\\Missing"));
  m.system.PutFile(At("TZ.XXX"), "old");
  m.system.SetReadOnly(At("TZ.XXX"), true);
  EXPECT_EQ(os::VIF_WRITEPROT, Install());
  m.system.SetReadOnly(At("TZ.XXX"), false);
  m.system.HoldOpen(At("TZ.XXX"), true);
  EXPECT_NE(0u, Install());
  EXPECT_EQ("old", m.system.Contents(At("TZ.XXX")));
  m.system.HoldOpen(At("TZ.XXX"), false);
  m.Fail("VerInstallFileA", "TZ.MSZ", 0, 1);
  EXPECT_EQ(os::VIF_CANNOTREADSRC, Install());
  EXPECT_EQ(0u, Install());
}

}  // namespace
