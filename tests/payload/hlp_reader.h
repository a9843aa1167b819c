// A small reader of the .hlp files that hlpc writes, walking them the way
// WinHelp readers (Wine's winhlp32 among them) do, so the tests can check
// what a viewer would find.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bytes.h"

namespace hlptest {

using hlpc::Bytes;

struct ReadTopic {
  std::string title;
  std::uint32_t offset = 0;             // TOPICOFFSET, as a reader computes it
  std::vector<std::string> paragraphs;  // text of each text record
  std::vector<std::uint32_t> jumps;     // context hashes of its jumps
};

struct ReadHelp {
  std::map<std::string, Bytes> files;  // internal files, without their headers
  unsigned minor = 0;
  std::string title;
  std::uint32_t contents = 0xFFFFFFFF;
  std::vector<ReadTopic> topics;
};

// Parses the container and the topics; returns "" or what is wrong.
std::string Read(const Bytes& hlp, ReadHelp& out);

// Searches a B+ tree from its root, as a viewer does: `compare` returns <0, 0
// or >0 for the key at an entry, and gives the entry's size in the page kind.
using Compare = std::function<int(const std::uint8_t* entry, bool leaf, std::size_t& size)>;
const std::uint8_t* Search(const Bytes& tree, const Compare& compare);

// All leaf entries in order, walking the leaf chain.
std::vector<const std::uint8_t*> LeafEntries(const Bytes& tree,
                                             const std::function<std::size_t(const std::uint8_t*)>& size);

}  // namespace hlptest
