#include "match_finder.h"

#include <algorithm>
#include <cstring>

#include "format.h"

namespace szdd {
namespace {

using namespace format;

constexpr uint32_t kNone = UINT32_MAX;

// The file as a decoder sees it: the window's initial spaces, then the file,
// then padding so that comparisons near the end stay in bounds. Matches are
// capped at the end of the file, so the padding never shows in a result.
std::vector<uint8_t> Text(const uint8_t* data, size_t size) {
  std::vector<uint8_t> text(kMaxDistance + size + kMaxMatch, 0);
  std::memset(text.data(), kWindowFill, kMaxDistance);
  if (size != 0) std::memcpy(text.data() + kMaxDistance, data, size);
  return text;
}

// Binary trees of the window's positions, one per first two bytes, ordered
// by the next kMaxMatch bytes. Each new position becomes the root, so along
// any path positions only get older, and a path can be cut at the first one
// that has left the window. Without a depth limit the search is exact.
class TreeMatcher {
 public:
  explicit TreeMatcher(const std::vector<uint8_t>& text)
      : text_(text), roots_(1u << 16, kNone), children_(2 * kWindowSize, kNone) {}

  Match Insert(uint32_t pos);

 private:
  const std::vector<uint8_t>& text_;
  std::vector<uint32_t> roots_;
  std::vector<uint32_t> children_;  // smaller, greater; by position mod window
};

Match TreeMatcher::Insert(uint32_t pos) {
  const uint8_t* cur = &text_[pos];
  uint32_t& root = roots_[cur[0] << 8 | cur[1]];
  uint32_t candidate = root;
  root = pos;
  uint32_t* smaller = &children_[2 * (pos & kWindowMask)];
  uint32_t* greater = smaller + 1;
  unsigned smallerLen = 0;
  unsigned greaterLen = 0;
  Match best{0, 0};
  for (;;) {
    if (candidate == kNone || pos - candidate > kMaxDistance) {
      *smaller = *greater = kNone;
      break;
    }
    uint32_t* node = &children_[2 * (candidate & kWindowMask)];
    const uint8_t* other = &text_[candidate];
    unsigned len = std::min(smallerLen, greaterLen);
    while (len < kMaxMatch && other[len] == cur[len]) ++len;
    if (len > best.length) best = {static_cast<uint16_t>(pos - candidate), static_cast<uint8_t>(len)};
    if (len == kMaxMatch) {
      // Equal keys: the newer position replaces the older one.
      *smaller = node[0];
      *greater = node[1];
      break;
    }
    if (other[len] < cur[len]) {
      *smaller = candidate;
      smaller = &node[1];
      candidate = node[1];
      smallerLen = len;
    } else {
      *greater = candidate;
      greater = &node[0];
      candidate = node[0];
      greaterLen = len;
    }
  }
  return best;
}

}  // namespace

std::vector<Match> FindLongestMatches(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> text = Text(data, size);
  TreeMatcher matcher(text);
  for (uint32_t pos = 0; pos < kMaxDistance; ++pos) matcher.Insert(pos);
  std::vector<Match> matches(size);
  for (size_t i = 0; i < size; ++i) {
    Match m = matcher.Insert(static_cast<uint32_t>(kMaxDistance + i));
    m.length = static_cast<uint8_t>(std::min<size_t>(m.length, size - i));
    if (m.length < kMinMatch) m = {0, 0};
    matches[i] = m;
  }
  return matches;
}

}  // namespace szdd
