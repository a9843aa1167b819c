// The B+ tree that WinHelp uses for its directory and its lookup files.
#pragma once

#include <string>
#include <vector>

#include "bytes.h"

namespace hlpc {

struct BTreeEntry {
  Bytes key;   // as written in index pages, before the page number
  Bytes leaf;  // the whole leaf entry
};

struct BTreeShape {
  unsigned pageSize;      // 0x400 for the directory, 0x800 for the others
  unsigned flags;         // 0x0002 always, 0x0400 for the directory
  std::string structure;  // e.g. "z4": what a leaf entry holds
};

// Builds the tree (header and pages) from entries already in key order.
Bytes BuildBTree(const std::vector<BTreeEntry>& sorted, const BTreeShape& shape);

}  // namespace hlpc
