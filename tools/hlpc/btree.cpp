#include "btree.h"

#include <stdexcept>

namespace hlpc {
namespace {

const unsigned kLeafHeader = 8;
const unsigned kIndexHeader = 6;
const unsigned kNoPage = 0xFFFF;

struct Node {
  unsigned page;
  Bytes firstKey;  // smallest key below this node
};

struct Pages {
  unsigned size;
  std::vector<Bytes> pages;

  unsigned Add(Bytes page) {
    if (page.size() > size) throw std::runtime_error("B+ tree entry larger than a page");
    page.resize(size, 0);
    pages.push_back(std::move(page));
    return static_cast<unsigned>(pages.size() - 1);
  }
};

// Leaves hold as many entries as fit, chained both ways.
std::vector<Node> BuildLeaves(const std::vector<BTreeEntry>& sorted, Pages& pages) {
  std::vector<Node> nodes;
  size_t i = 0;
  do {
    Bytes body;
    unsigned count = 0;
    size_t first = i;
    while (i < sorted.size() && kLeafHeader + body.size() + sorted[i].leaf.size() <= pages.size) {
      Append(body, sorted[i++].leaf);
      ++count;
    }
    if (count == 0 && i < sorted.size()) throw std::runtime_error("B+ tree entry larger than a page");
    Bytes page;
    Put16(page, pages.size - kLeafHeader - static_cast<unsigned>(body.size()));
    Put16(page, count);
    Put16(page, nodes.empty() ? kNoPage : nodes.back().page);
    Put16(page, kNoPage);
    Append(page, body);
    unsigned no = pages.Add(page);
    if (!nodes.empty()) {
      Bytes& prev = pages.pages[nodes.back().page];
      prev[6] = no & 0xFF;
      prev[7] = no >> 8;
    }
    nodes.push_back({no, first < sorted.size() ? sorted[first].key : Bytes()});
  } while (i < sorted.size());
  return nodes;
}

// One index level above `below`: each page starts with the page of its
// smallest keys, then (key, page) for the others.
std::vector<Node> BuildIndexLevel(const std::vector<Node>& below, Pages& pages) {
  std::vector<Node> nodes;
  size_t i = 0;
  while (i < below.size()) {
    const Node& head = below[i++];
    Bytes body;
    unsigned count = 0;
    while (i < below.size() &&
           kIndexHeader + body.size() + below[i].firstKey.size() + 2 <= pages.size) {
      Append(body, below[i].firstKey);
      Put16(body, below[i].page);
      ++i;
      ++count;
    }
    Bytes page;
    Put16(page, pages.size - kIndexHeader - static_cast<unsigned>(body.size()));
    Put16(page, count);
    Put16(page, head.page);
    Append(page, body);
    nodes.push_back({pages.Add(page), head.firstKey});
  }
  return nodes;
}

}  // namespace

Bytes BuildBTree(const std::vector<BTreeEntry>& sorted, const BTreeShape& shape) {
  Pages pages{shape.pageSize, {}};
  std::vector<Node> level = BuildLeaves(sorted, pages);
  unsigned levels = 1;
  while (level.size() > 1) {
    level = BuildIndexLevel(level, pages);
    ++levels;
  }
  Bytes out;
  Put16(out, 0x293B);
  Put16(out, shape.flags);
  Put16(out, shape.pageSize);
  std::string structure = shape.structure;
  structure.resize(16, '\0');
  out.insert(out.end(), structure.begin(), structure.end());
  Put16(out, 0);  // must be zero
  Put16(out, 0);  // page splits
  Put16(out, level.front().page);
  Put16(out, 0xFFFF);
  Put16(out, static_cast<unsigned>(pages.pages.size()));
  Put16(out, levels);
  Put32(out, static_cast<std::uint32_t>(sorted.size()));
  for (const Bytes& p : pages.pages) Append(out, p);
  return out;
}

}  // namespace hlpc
