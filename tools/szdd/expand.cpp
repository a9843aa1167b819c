#include <algorithm>
#include <cstring>

#include "format.h"
#include "szdd.h"

namespace szdd {
namespace {

using namespace format;

bool HeaderOk(const uint8_t* data, size_t size) {
  return size >= kHeaderSize && std::memcmp(data, kSignature, sizeof kSignature) == 0 &&
         data[kModeOffset] == kModeA;
}

uint32_t HeaderLength(const uint8_t* data) {
  const uint8_t* p = data + kLengthOffset;
  return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<uint32_t>(p[3]) << 24;
}

class Decoder {
 public:
  Decoder(const uint8_t* data, size_t size, uint32_t length, std::vector<uint8_t>& out)
      : data_(data), size_(size), length_(length), out_(out) {
    std::memset(window_, kWindowFill, sizeof window_);
  }

  bool Run() {
    while (out_.size() < length_) {
      if (in_ == size_) return false;
      unsigned flags = data_[in_++];
      for (int bit = 0; bit < 8 && out_.size() < length_; ++bit, flags >>= 1) {
        if (!((flags & 1) ? Literal() : Reference())) return false;
      }
    }
    return true;
  }

 private:
  bool Literal() {
    if (in_ == size_) return false;
    Put(data_[in_++]);
    return true;
  }

  bool Reference() {
    if (size_ - in_ < 2) return false;
    const unsigned b0 = data_[in_];
    const unsigned b1 = data_[in_ + 1];
    in_ += 2;
    unsigned from = b0 | (b1 >> 4) << 8;
    const unsigned len = (b1 & 0x0F) + kMinMatch;
    // Byte by byte: an overlapping copy repeats what it has just written.
    for (unsigned k = 0; k < len && out_.size() < length_; ++k) {
      Put(window_[from]);
      from = (from + 1) & kWindowMask;
    }
    return true;
  }

  void Put(uint8_t byte) {
    window_[pos_] = byte;
    pos_ = (pos_ + 1) & kWindowMask;
    out_.push_back(byte);
  }

  const uint8_t* data_;
  size_t size_;
  size_t in_ = kHeaderSize;
  uint32_t length_;
  std::vector<uint8_t>& out_;
  uint8_t window_[kWindowSize];
  unsigned pos_ = kStartPosition;
};

}  // namespace

bool Expand(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  out.clear();
  if (!data || !HeaderOk(data, size)) return false;
  const uint32_t length = HeaderLength(data);
  // A header may claim any length: reserve no more than the data can yield
  // (at most 18 bytes for every 2 bytes and a flag bit), and grow from there.
  const uint64_t yield = (static_cast<uint64_t>(size - kHeaderSize) * 9 + 1);
  out.reserve(static_cast<size_t>(std::min<uint64_t>(length, yield)));
  return Decoder(data, size, length, out).Run();
}

}  // namespace szdd
