// Every file we pack comes back whole through our decoder, libmspack and
// msexpand, in a container no larger than mscompress makes of it.
#include <gtest/gtest.h>

#include <string>

#include "container_check.h"
#include "reference_tools.h"
#include "samples.h"
#include "szdd.h"

namespace szddtest {
namespace {

void CheckRoundTrip(const Bytes& file) {
  const Bytes container = szdd::Pack(file.data(), file.size());
  EXPECT_TRUE(WellFormed(container, file.size()));

  Bytes ours;
  EXPECT_TRUE(szdd::Expand(container.data(), container.size(), ours));
  EXPECT_TRUE(ours == file) << "our decoder";

  Bytes mspack;
  EXPECT_TRUE(ExpandWithLibmspack(container, mspack));
  EXPECT_TRUE(mspack == file) << "libmspack";

  Bytes msexpand;
  EXPECT_TRUE(ExpandWithMsexpand(container, msexpand));
  EXPECT_TRUE(msexpand == file) << "msexpand";

  // mscompress loses the start of files shorter than 16 bytes; a container
  // that does not give the file back is no yardstick.
  Bytes theirs, theirsExpanded;
  ASSERT_TRUE(PackWithMscompress(file, theirs));
  if (!szdd::Expand(theirs.data(), theirs.size(), theirsExpanded) || theirsExpanded != file) {
    EXPECT_LT(file.size(), 16u) << "mscompress made a broken container of a larger file";
    return;
  }
  EXPECT_LE(container.size(), theirs.size()) << "mscompress makes a smaller container";
}

}  // namespace

void PrintTo(const Sample& sample, std::ostream* os) { *os << sample.name; }

namespace {

class SzddEdgeFile : public testing::TestWithParam<Sample> {};

TEST_P(SzddEdgeFile, RoundTripsThroughEveryDecoder) {
  const Bytes file = GetParam().make();
  if (std::string(GetParam().name) != "empty") {
    ASSERT_FALSE(file.empty()) << "sample not available";
  }
  CheckRoundTrip(file);
}

INSTANTIATE_TEST_SUITE_P(Samples, SzddEdgeFile, testing::ValuesIn(EdgeSamples()),
                         [](const testing::TestParamInfo<Sample>& info) { return std::string(info.param.name); });

// The payload that setup.exe carries, from the cross build. Configured
// without WIN32_DIR there is none to check; configured with it, the files
// must be there, as the build makes them before the tests run.
class SzddPayloadFile : public testing::TestWithParam<const char*> {};

TEST_P(SzddPayloadFile, RoundTripsThroughEveryDecoder) {
  const std::string dir = SZDD_PAYLOAD_DIR;
  if (dir.empty()) GTEST_SKIP() << "configured without WIN32_DIR";
  Bytes file;
  ASSERT_TRUE(ReadFile(dir + "/" + GetParam(), file)) << "missing payload file " << dir << "/" << GetParam();
  CheckRoundTrip(file);
}

INSTANTIATE_TEST_SUITE_P(Payload, SzddPayloadFile,
                         testing::Values("Testanza.exe", "Uninstall.exe", "Testanza.hlp", "Testanza.txt",
                                         "US-Caps_FITB.TZ1", "US-Caps_MULT.TZ1"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace szddtest
