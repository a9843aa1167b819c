// Little-endian byte buffers, the currency of every structure in a .hlp file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hlpc {

using Bytes = std::vector<std::uint8_t>;

inline void Put8(Bytes& b, unsigned v) { b.push_back(static_cast<std::uint8_t>(v)); }
inline void Put16(Bytes& b, unsigned v) {
  Put8(b, v & 0xFF);
  Put8(b, (v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void PutZ(Bytes& b, const std::string& s) {
  b.insert(b.end(), s.begin(), s.end());
  Put8(b, 0);
}
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void Patch32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
inline unsigned Get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// The compressed numbers of topic records: small values take half the room.
void PutCompressedUShort(Bytes& b, unsigned v);
void PutCompressedShort(Bytes& b, int v);
void PutCompressedULong(Bytes& b, std::uint32_t v);
void PutCompressedLong(Bytes& b, std::int32_t v);

}  // namespace hlpc
