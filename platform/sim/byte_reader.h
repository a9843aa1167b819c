// A cursor over untrusted little-endian bytes: every read checks the bounds,
// so a truncated or lying file can only make a parse fail, never read past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Position() const { return pos_; }
  size_t Left() const { return size_ - pos_; }

  bool U8(uint8_t* out) {
    if (Left() < 1) return false;
    *out = data_[pos_++];
    return true;
  }
  bool U16(uint16_t* out) {
    if (Left() < 2) return false;
    *out = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool U32(uint32_t* out) {
    uint16_t lo = 0, hi = 0;
    if (Left() < 4 || !U16(&lo) || !U16(&hi)) return false;
    *out = lo | (static_cast<uint32_t>(hi) << 16);
    return true;
  }
  bool I16(int16_t* out) {
    uint16_t v = 0;
    if (!U16(&v)) return false;
    *out = static_cast<int16_t>(v);
    return true;
  }
  bool Skip(size_t count) {
    if (Left() < count) return false;
    pos_ += count;
    return true;
  }
  // Moves to the next multiple of four from the start; at the end it stops there.
  void AlignTo4() {
    const size_t aligned = (pos_ + 3) & ~static_cast<size_t>(3);
    pos_ = aligned < size_ ? aligned : size_;
  }
  // A zero-terminated UTF-16 string, narrowed to 8 bits (characters beyond
  // Latin-1 become '?': the program's texts are all 8-bit).
  bool Utf16z(std::string* out) {
    out->clear();
    for (;;) {
      uint16_t c = 0;
      if (!U16(&c)) return false;
      if (c == 0) return true;
      out->push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace sim
