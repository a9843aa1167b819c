// Longest-match search for the packer's optimal parse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace szdd {

struct Match {
  uint16_t distance;  // 1 .. format::kMaxDistance back from the position
  uint8_t length;     // 0 when no match of format::kMinMatch bytes exists
};

// For every position of the file, the longest match (capped at the longest
// reference, and at the end of the file) that a reference could copy: from
// the window behind it, including the spaces the window starts with, and
// running on into the bytes it produces itself.
std::vector<Match> FindLongestMatches(const uint8_t* data, size_t size);

}  // namespace szdd
