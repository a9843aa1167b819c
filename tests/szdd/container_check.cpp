#include "container_check.h"

namespace szddtest {
namespace {

using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

const uint8_t kHeader[10] = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41, 0x00};

AssertionResult ItemsWellFormed(const Bytes& c, size_t length) {
  size_t in = 14;
  size_t produced = 0;
  while (produced < length) {
    if (in >= c.size()) return AssertionFailure() << "data ends at " << produced << " of " << length;
    const unsigned flags = c[in++];
    for (int bit = 0; bit < 8 && produced < length; ++bit) {
      if (flags >> bit & 1) {
        if (in + 1 > c.size()) return AssertionFailure() << "literal cut off at " << in;
        in += 1;
        produced += 1;
        continue;
      }
      if (in + 2 > c.size()) return AssertionFailure() << "reference cut off at " << in;
      const unsigned from = c[in] | (c[in + 1] >> 4) << 8;
      const unsigned count = (c[in + 1] & 0x0F) + 3;
      const unsigned writeAt = (4080 + produced) & 4095;
      if (from == writeAt) return AssertionFailure() << "reference 4096 back at output " << produced;
      if (produced + count > length) return AssertionFailure() << "reference runs past the end at " << produced;
      in += 2;
      produced += count;
    }
  }
  if (in != c.size()) return AssertionFailure() << (c.size() - in) << " bytes after the last item";
  return AssertionSuccess();
}

}  // namespace

bool HeaderLength(const Bytes& c, uint32_t& length) {
  if (c.size() < 14) return false;
  length = c[10] | c[11] << 8 | c[12] << 16 | static_cast<uint32_t>(c[13]) << 24;
  return true;
}

AssertionResult WellFormed(const Bytes& c, size_t length) {
  uint32_t stated = 0;
  if (!HeaderLength(c, stated)) return AssertionFailure() << "container of " << c.size() << " bytes";
  if (!std::equal(kHeader, kHeader + 10, c.begin())) return AssertionFailure() << "wrong signature, mode or name byte";
  if (stated != length) return AssertionFailure() << "header length " << stated << ", file length " << length;
  return ItemsWellFormed(c, length);
}

}  // namespace szddtest
