// Shell Link (.lnk) files in the published binary format (MS-SHLLINK), as the
// sim's shell link object writes them, and a reader for tests. Both sides
// check every length against the bytes, so any file is safe to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/system_state.h"

namespace sim {

// What the header records of the target when it exists at save time.
struct LinkTarget {
  bool exists = false;
  uint32_t attributes = 0;
  FileTime created = 0, accessed = 0, written = 0;
  uint32_t size = 0;
};

// A header, a LinkInfo with the target as local base path (for a drive-letter
// target), and Unicode string data: description, path relative to
// linkFolder (same drive only), working directory, icon location.
std::vector<uint8_t> WriteLinkFile(const LinkProperties& link, const LinkTarget& target,
                                   const std::string& linkFolder);

// Reads the five properties (and the relative path) back. False when the
// bytes are not a shell link or a length runs past the end.
bool ParseLinkFile(const std::vector<uint8_t>& bytes, LinkProperties* link);

}  // namespace sim
