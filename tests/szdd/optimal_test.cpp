// The packer's container is the smallest of the format: checked against an
// exhaustive search of every match at every distance.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>

#include "samples.h"
#include "szdd.h"

namespace szddtest {
namespace {

// Longest copy at each position over every distance from 1 to 4095, the
// window's initial spaces included, capped at 18 and at the end of the file.
std::vector<unsigned> LongestByBruteForce(const Bytes& file) {
  Bytes text(4095, ' ');
  text.insert(text.end(), file.begin(), file.end());
  std::vector<unsigned> longest(file.size(), 0);
  for (size_t i = 0; i < file.size(); ++i) {
    const size_t cap = std::min<size_t>(18, file.size() - i);
    const uint8_t* cur = &text[4095 + i];
    for (size_t d = 1; d <= 4095; ++d) {
      const uint8_t* from = cur - d;
      size_t len = 0;
      while (len < cap && from[len] == cur[len]) ++len;
      longest[i] = std::max<unsigned>(longest[i], static_cast<unsigned>(len));
    }
  }
  return longest;
}

size_t SmallestContainerSize(const Bytes& file) {
  const std::vector<unsigned> longest = LongestByBruteForce(file);
  std::vector<uint64_t> bits(file.size() + 1, std::numeric_limits<uint64_t>::max());
  bits[0] = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    bits[i + 1] = std::min(bits[i + 1], bits[i] + 9);
    for (unsigned len = 3; len <= longest[i]; ++len) bits[i + len] = std::min(bits[i + len], bits[i] + 17);
  }
  return 14 + static_cast<size_t>((bits.back() + 7) / 8);
}

// Few distinct bytes: many matches of every length, all over the window.
Bytes SmallAlphabet(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(size);
  for (auto& x : b) x = " ab"[rng() % 3];
  return b;
}

// A pattern that recurs with a few changes: matches of 18 and just short of it.
Bytes NearlyPeriodic(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  const Bytes pattern = RandomBytes(53, seed);
  Bytes b;
  while (b.size() < size) b.insert(b.end(), pattern.begin(), pattern.end());
  b.resize(size);
  for (int k = 0; k < 200; ++k) b[rng() % size] = static_cast<uint8_t>(rng());
  return b;
}

TEST(SzddPack, NoContainerOfTheFormatIsSmaller) {
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"small alphabet", SmallAlphabet(9000, 11)},
      {"nearly periodic", NearlyPeriodic(9000, 12)},
      {"text", Text(9000, 13)},
      // At the second "ABCD", "ABCD" then "x", "y" costs a bit more than "ABC"
      // then "Dxy"; the last four bytes make that bit a whole byte.
      {"shorter reference pays", [] {
         const std::string s = "ABCD#Dxy#ABCDxyQ1234";
         return Bytes(s.begin(), s.end());
       }()},
      {"spaces then text", [] {
         Bytes b(40, ' ');
         const Bytes t = Text(3000, 14);
         b.insert(b.end(), t.begin(), t.end());
         return b;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(szdd::Pack(c.file.data(), c.file.size()).size(), SmallestContainerSize(c.file));
  }
}

}  // namespace
}  // namespace szddtest
