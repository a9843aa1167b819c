#include "bytes.h"

namespace hlpc {

// Even values are short forms; an odd low byte (or word) flags the long form.
void PutCompressedUShort(Bytes& b, unsigned v) {
  if (v < 0x80) {
    Put8(b, v * 2);
  } else {
    Put8(b, (v % 128) * 2 + 1);
    Put8(b, v / 128);
  }
}

void PutCompressedShort(Bytes& b, int v) {
  if (v >= -0x40 && v < 0x40) PutCompressedUShort(b, static_cast<unsigned>(v + 0x40));
  else PutCompressedUShort(b, static_cast<unsigned>(v + 0x4000));
}

void PutCompressedULong(Bytes& b, std::uint32_t v) {
  if (v < 0x8000) {
    Put16(b, v * 2);
  } else {
    Put16(b, (v % 0x8000) * 2 + 1);
    Put16(b, v / 0x8000);
  }
}

void PutCompressedLong(Bytes& b, std::int32_t v) {
  if (v >= -0x4000 && v < 0x4000) PutCompressedULong(b, static_cast<std::uint32_t>(v + 0x4000));
  else PutCompressedULong(b, static_cast<std::uint32_t>(v + 0x4000000));
}

}  // namespace hlpc
