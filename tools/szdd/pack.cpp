#include <cstdint>
#include <limits>

#include "format.h"
#include "match_finder.h"
#include "szdd.h"

namespace szdd {
namespace {

using namespace format;

// Every item costs its flag bit plus its bytes, whatever a reference's
// offset, and the container's size is the total rounded up to bytes.
constexpr uint64_t kLiteralBits = 9;
constexpr uint64_t kReferenceBits = 17;

// Shortest path from each position to the end over "one literal" or "a
// reference of any length up to the longest match there". Each shorter
// length is a prefix of the longest match, so no parse of the file costs
// fewer bits. Returns the step taken at each position (1 for a literal).
std::vector<uint8_t> CheapestSteps(const std::vector<Match>& matches) {
  const size_t size = matches.size();
  std::vector<uint64_t> cost(size + 1, 0);
  std::vector<uint8_t> step(size, 1);
  for (size_t i = size; i-- > 0;) {
    uint64_t best = cost[i + 1] + kLiteralBits;
    for (unsigned len = kMinMatch; len <= matches[i].length; ++len) {
      const uint64_t c = cost[i + len] + kReferenceBits;
      if (c <= best) {
        best = c;
        step[i] = static_cast<uint8_t>(len);
      }
    }
    cost[i] = best;
  }
  return step;
}

void PutHeader(uint32_t length, std::vector<uint8_t>& out) {
  out.assign(kSignature, kSignature + sizeof kSignature);
  out.push_back(kModeA);
  out.push_back(0);  // the name's last character is not given
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(length >> shift));
}

// Groups of a flag byte and up to eight items; a flag byte is written only
// when an item follows it.
class ItemWriter {
 public:
  explicit ItemWriter(std::vector<uint8_t>& out) : out_(out) {}

  void Literal(uint8_t byte) {
    NextFlag(true);
    out_.push_back(byte);
  }

  void Reference(unsigned windowPos, unsigned length) {
    NextFlag(false);
    out_.push_back(static_cast<uint8_t>(windowPos & 0xFF));
    out_.push_back(static_cast<uint8_t>((windowPos >> 8) << 4 | (length - kMinMatch)));
  }

 private:
  void NextFlag(bool literal) {
    if (bit_ == 8) {
      flagAt_ = out_.size();
      out_.push_back(0);
      bit_ = 0;
    }
    if (literal) out_[flagAt_] |= static_cast<uint8_t>(1u << bit_);
    ++bit_;
  }

  std::vector<uint8_t>& out_;
  size_t flagAt_ = 0;
  unsigned bit_ = 8;
};

}  // namespace

std::vector<uint8_t> Pack(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  // The header holds a 32-bit length, and the match finder 32-bit positions.
  if (size > std::numeric_limits<uint32_t>::max() - kWindowSize - kMaxMatch) return out;
  PutHeader(static_cast<uint32_t>(size), out);
  const std::vector<Match> matches = FindLongestMatches(data, size);
  const std::vector<uint8_t> steps = CheapestSteps(matches);
  ItemWriter writer(out);
  for (size_t i = 0; i < size; i += steps[i]) {
    if (steps[i] == 1) {
      writer.Literal(data[i]);
    } else {
      // The decoder's write position is kStartPosition + i in the ring.
      const unsigned from = static_cast<unsigned>(kStartPosition + i - matches[i].distance) & kWindowMask;
      writer.Reference(from, steps[i]);
    }
  }
  return out;
}

}  // namespace szdd
