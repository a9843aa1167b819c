// SZDD containers of mode A: the MS-DOS COMPRESS / EXPAND coding that
// version.dll expands at install time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace szdd {

// Packs a file into the smallest container of mode A that exists for it.
std::vector<uint8_t> Pack(const uint8_t* data, size_t size);

// Expands a container of mode A into out, stopping at the length its header
// gives. False when the header is short or foreign, or when the data ends
// before that length; out then holds what was expanded up to the fault.
// Safe on any bytes.
bool Expand(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

}  // namespace szdd
