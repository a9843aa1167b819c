// Layout of the container and of its LZSS coding, shared by packer and decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace szdd {
namespace format {

constexpr uint8_t kSignature[8] = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};
constexpr uint8_t kModeA = 0x41;
constexpr size_t kModeOffset = 8;
constexpr size_t kLengthOffset = 10;
constexpr size_t kHeaderSize = 14;

constexpr unsigned kWindowSize = 4096;
constexpr unsigned kWindowMask = kWindowSize - 1;
constexpr unsigned kStartPosition = kWindowSize - 16;
constexpr uint8_t kWindowFill = 0x20;

constexpr unsigned kMinMatch = 3;
constexpr unsigned kMaxMatch = 18;
// A reference 4096 back would read the slot it is writing to; decoders
// disagree on which byte that yields, so the packer never makes one.
constexpr unsigned kMaxDistance = kWindowSize - 1;

}  // namespace format
}  // namespace szdd
