// The decoder: what it makes of hand-made streams, how it refuses broken
// containers, and that no bytes at all make it misbehave.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "container_check.h"
#include "reference_tools.h"
#include "samples.h"
#include "szdd.h"

namespace szddtest {
namespace {

Bytes Header(uint32_t length, uint8_t mode = 'A') {
  Bytes h = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, mode, 0};
  for (int shift = 0; shift < 32; shift += 8) h.push_back(static_cast<uint8_t>(length >> shift));
  return h;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void SetLength(Bytes& c, uint32_t length) {
  for (int k = 0; k < 4; ++k) c[10 + k] = static_cast<uint8_t>(length >> (8 * k));
}

Bytes Expanded(const Bytes& c, bool& ok) {
  Bytes out;
  ok = szdd::Expand(c.data(), c.size(), out);
  return out;
}

TEST(SzddExpand, HandMadeStream) {
  // Literals "ab", then 5 bytes from where the "a" went (4080), running on
  // into what they write, then 3 of the initial spaces from position 0.
  const Bytes c = Concat(Header(10), {0x03, 'a', 'b', 0xF0, 0xF2, 0x00, 0x00});
  bool ok = false;
  const Bytes out = Expanded(c, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(std::string(out.begin(), out.end()), "abababa   ");
}

// Random streams of items, references to any slot of the ring included, as
// other encoders might write them: our decoder must agree with libmspack's
// and msexpand's, which were written apart from ours.
TEST(SzddExpand, AgreesWithOtherDecodersOnRandomStreams) {
  std::mt19937 rng(1997);
  for (int round = 0; round < 24; ++round) {
    Bytes data;
    uint32_t produced = 0;
    for (int group = 0; group < 160; ++group) {
      const uint8_t flags = static_cast<uint8_t>(rng());
      data.push_back(flags);
      for (int bit = 0; bit < 8; ++bit) {
        if (flags >> bit & 1) {
          data.push_back(static_cast<uint8_t>(rng()));
          produced += 1;
        } else {
          // Often the slot being written, or one beside it, where a decoder
          // that writes before it reads goes wrong.
          const unsigned writeAt = (4080 + produced) & 4095;
          const unsigned from = rng() % 4 ? rng() % 4096 : (writeAt + rng() % 3 - 1) & 4095;
          const unsigned len = 3 + rng() % 16;
          data.push_back(static_cast<uint8_t>(from));
          data.push_back(static_cast<uint8_t>((from >> 8) << 4 | (len - 3)));
          produced += len;
        }
      }
    }
    const Bytes c = Concat(Header(produced), data);
    SCOPED_TRACE(round);
    bool ok = false;
    const Bytes ours = Expanded(c, ok);
    ASSERT_TRUE(ok);
    Bytes mspack, msexpand;
    ASSERT_TRUE(ExpandWithLibmspack(c, mspack));
    EXPECT_TRUE(ours == mspack);
    if (round % 3 == 0) {  // a process each: a sample is enough
      ASSERT_TRUE(ExpandWithMsexpand(c, msexpand));
      EXPECT_TRUE(ours == msexpand);
    }
  }
}

TEST(SzddExpand, HeaderAndDataFaults) {
  const Bytes file = Text(700, 21);
  const Bytes good = szdd::Pack(file.data(), file.size());
  auto with = [&](void (*change)(Bytes&)) {
    Bytes c = good;
    change(c);
    return c;
  };
  const struct {
    const char* name;
    Bytes container;
    bool ok;
    size_t outSize;
  } cases[] = {
      {"intact", good, true, file.size()},
      {"signature byte 0", with([](Bytes& c) { c[0] = 'X'; }), false, 0},
      {"signature byte 7", with([](Bytes& c) { c[7] ^= 1; }), false, 0},
      {"mode B", with([](Bytes& c) { c[8] = 'B'; }), false, 0},
      {"header of 13 bytes", Bytes(good.begin(), good.begin() + 13), false, 0},
      {"nothing", Bytes(), false, 0},
      {"data one byte short", Bytes(good.begin(), good.end() - 1), false, 0},
      {"length one past the data", with([](Bytes& c) { SetLength(c, 701); }), false, 700},
      {"header alone, length 0", Header(0), true, 0},
      {"header alone, length 1", Header(1), false, 0},
      {"length below the data", with([](Bytes& c) { SetLength(c, 100); }), true, 100},
      {"bytes after the data", Concat(good, {1, 2, 3}), true, file.size()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool ok = !c.ok;
    const Bytes out = Expanded(c.container, ok);
    EXPECT_EQ(ok, c.ok);
    if (c.ok) {
      EXPECT_EQ(out.size(), c.outSize);
    }
    EXPECT_TRUE(std::equal(out.begin(), out.end(), file.begin())) << "output is not a prefix of the file";
  }
  std::vector<uint8_t> out;
  EXPECT_FALSE(szdd::Expand(nullptr, 0, out));
}

TEST(SzddExpand, EveryTruncationFailsWithAPrefix) {
  const Bytes file = Concat(Text(1500, 22), RandomBytes(300, 23));
  const Bytes good = szdd::Pack(file.data(), file.size());
  for (size_t cut = 0; cut < good.size(); ++cut) {
    SCOPED_TRACE(cut);
    bool ok = true;
    const Bytes out = Expanded(Bytes(good.begin(), good.begin() + cut), ok);
    EXPECT_FALSE(ok);
    ASSERT_TRUE(out.size() < file.size() && std::equal(out.begin(), out.end(), file.begin()));
  }
}

TEST(SzddExpand, HugeLengthDoesNotReserveIt) {
  const Bytes c = Concat(Header(0xFFFFFFFFu), {0x00, 0x00, 0x0F, 0x00, 0x0F});
  Bytes out;
  EXPECT_FALSE(szdd::Expand(c.data(), c.size(), out));
  EXPECT_EQ(out.size(), 36u);
  EXPECT_LT(out.capacity(), size_t{1} << 20);
}

// Mutated and cut containers under the sanitizers: no fault, never more
// output than the header asks for, and exactly that much on success.
TEST(SzddExpand, SurvivesMutatedContainers) {
  Bytes runs(2000, ' ');
  runs.insert(runs.end(), 600, 'x');
  const Bytes bases[] = {szdd::Pack(Text(3000, 31).data(), 3000),
                         szdd::Pack(RandomBytes(1500, 32).data(), 1500),
                         szdd::Pack(runs.data(), runs.size())};
  std::mt19937 rng(20020728);
  for (int round = 0; round < 4000; ++round) {
    Bytes c = bases[rng() % 3];
    const unsigned kind = rng() % 4;
    if (kind == 0 || kind == 3) {
      for (unsigned k = 1 + rng() % 8; k > 0; --k) c[rng() % c.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
    }
    if (kind == 1) c.resize(rng() % c.size());
    if (kind == 2 || kind == 3) SetLength(c, rng() % 2 ? static_cast<uint32_t>(rng()) : rng() % 30000);
    SCOPED_TRACE(round);
    bool ok = false;
    const Bytes out = Expanded(c, ok);
    uint32_t length = 0;
    if (!HeaderLength(c, length)) {
      EXPECT_FALSE(ok);
      continue;
    }
    ASSERT_LE(out.size(), length);
    if (ok) {
      ASSERT_EQ(out.size(), length);
    }
  }
}

}  // namespace
}  // namespace szddtest
