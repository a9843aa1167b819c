// The |TOPIC internal file: every topic as a chain of topic links (a header
// record, then one text record per paragraph), cut into 4 KB topic blocks.
// The blocks are stored uncompressed, which the format allows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bytes.h"
#include "source.h"

namespace hlpc {

// Font numbers into the |FONT descriptors.
enum Font : unsigned { kBodyFont = 0, kTitleFont = 1, kHeadingFont = 2 };

constexpr unsigned kTopicBlockSize = 4096;
constexpr unsigned kTopicBlockHeader = 12;

struct TopicFile {
  Bytes data;                               // the |TOPIC file's content
  std::vector<std::uint32_t> topicOffsets;  // TOPICOFFSET of each topic, in source order
};

TopicFile BuildTopicFile(const HelpSource& source);

// WinHelp 3.1's hash of a context id, by which jumps and |CONTEXT find topics.
std::uint32_t ContextHash(const std::string& context);

}  // namespace hlpc
