#include "hlp_reader.h"

#include <cstring>

namespace hlptest {
namespace {

using hlpc::Get16;
using hlpc::Get32;

const std::size_t kTreeHeader = 38;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

const std::uint8_t* Page(const Bytes& tree, unsigned n) {
  return tree.data() + kTreeHeader + static_cast<std::size_t>(n) * Get16(tree, 4);
}

std::string ReadDirectory(const Bytes& hlp, ReadHelp& out) {
  std::uint32_t dir = Get32(hlp, 4);
  if (dir + 9 > hlp.size()) return "directory outside the file";
  Bytes tree(hlp.begin() + dir + 9, hlp.begin() + dir + 9 + Get32(hlp, dir + 4));
  if (Get16(tree, 0) != 0x293B) return "bad directory magic";
  auto size = [](const std::uint8_t* e) { return std::strlen(reinterpret_cast<const char*>(e)) + 5; };
  for (const std::uint8_t* e : LeafEntries(tree, size)) {
    std::string name(reinterpret_cast<const char*>(e));
    std::uint32_t at = U32(e + name.size() + 1);
    if (at + 9 > hlp.size()) return name + " outside the file";
    std::uint32_t reserved = Get32(hlp, at), used = Get32(hlp, at + 4);
    if (reserved < used + 9 || at + reserved > hlp.size()) return name + ": bad file header";
    out.files[name] = Bytes(hlp.begin() + at + 9, hlp.begin() + at + 9 + used);
  }
  return "";
}

std::string ReadSystem(ReadHelp& out) {
  const Bytes& s = out.files["|SYSTEM"];
  if (s.size() < 12 || Get16(s, 0) != 0x036C || Get16(s, 4) != 1) return "bad |SYSTEM header";
  out.minor = Get16(s, 2);
  for (std::size_t p = 12; p + 4 <= s.size(); p += 4 + Get16(s, p + 2)) {
    unsigned type = Get16(s, p);
    if (type == 1) out.title = reinterpret_cast<const char*>(&s[p + 4]);
    if (type == 3) out.contents = Get32(s, p + 4);
  }
  return "";
}

// Text records: zero-ended strings in data2, commands in data1 after the
// paragraph info; only the commands hlpc writes are known here.
std::string ReadText(const std::uint8_t* rec, ReadTopic& topic) {
  std::uint32_t len1 = U32(rec + 16), len2 = U32(rec + 4);
  const std::uint8_t* f = rec + 21;
  f += (*f & 1) ? 4 : 2;  // TopicSize
  f += (*f & 1) ? 2 : 1;  // TopicLength
  f += 4;
  unsigned bits = U16(f);
  f += 2;
  for (unsigned bit = 0x0002; bit <= 0x0040; bit <<= 1)
    if (bits & bit) f += (*f & 1) ? 2 : 1;
  const char* text = reinterpret_cast<const char*>(rec + len1);
  const char* end = text + len2;
  std::string para;
  while (text < end) {
    para += text;
    text += std::strlen(text) + 1;
    switch (*f) {
      case 0x80: f += 3; break;
      case 0x82: f += 1; break;
      case 0x89: f += 1; break;
      case 0xE3: topic.jumps.push_back(U32(f + 1)); f += 5; break;
      case 0xFF: text = end; break;
      default: return "unknown command in a text record";
    }
  }
  topic.paragraphs.push_back(para);
  return "";
}

std::string ReadTopics(ReadHelp& out) {
  const Bytes& t = out.files["|TOPIC"];
  if (t.size() % 4096 != 0) return "|TOPIC is not whole blocks";
  Bytes stream;  // the block payloads, one after the other
  for (std::size_t b = 0; b < t.size(); b += 4096) stream.insert(stream.end(), t.begin() + b + 12, t.begin() + b + 4096);
  std::uint32_t pos = 12;
  unsigned lastBlock = ~0u, chars = 0;
  while (pos != 0xFFFFFFFF) {
    unsigned block = (pos - 12) >> 14;
    std::size_t at = block * 4084 + ((pos - 12) & 0x3FFF);
    if (at + 21 > stream.size()) return "topic link outside |TOPIC";
    const std::uint8_t* rec = &stream[at];
    if (at + U32(rec) > stream.size()) return "topic link runs past |TOPIC";
    if (block != lastBlock) chars = 0, lastBlock = block;
    if (rec[20] == 2 && U32(rec + 12) != 0xFFFFFFFF) {
      ReadTopic topic;
      topic.offset = block * 0x8000 + chars;
      topic.title.assign(reinterpret_cast<const char*>(rec + U32(rec + 16)), U32(rec + 4));
      out.topics.push_back(topic);
    } else if (rec[20] == 0x20) {
      if (out.topics.empty()) return "text before the first topic";
      std::string e = ReadText(rec, out.topics.back());
      if (!e.empty()) return e;
      chars += U32(rec + 4);
    }
    pos = U32(rec + 12);
  }
  return "";
}

}  // namespace

std::vector<const std::uint8_t*> LeafEntries(const Bytes& tree,
                                             const std::function<std::size_t(const std::uint8_t*)>& size) {
  std::vector<const std::uint8_t*> entries;
  unsigned page = Get16(tree, 26);
  for (unsigned level = Get16(tree, 32); level > 1; --level) page = U16(Page(tree, page) + 4);
  while (page != 0xFFFF) {
    const std::uint8_t* p = Page(tree, page);
    const std::uint8_t* e = p + 8;
    for (unsigned i = 0; i < U16(p + 2); ++i) {
      entries.push_back(e);
      e += size(e);
    }
    page = U16(p + 6);
  }
  return entries;
}

const std::uint8_t* Search(const Bytes& tree, const Compare& compare) {
  unsigned page = Get16(tree, 26);
  for (unsigned level = Get16(tree, 32); level > 1; --level) {
    const std::uint8_t* p = Page(tree, page);
    const std::uint8_t* e = p + 6;
    for (unsigned i = 0; i < U16(p + 2); ++i) {
      std::size_t n = 0;
      if (compare(e, false, n) > 0) break;
      e += n;
    }
    page = U16(e - 2);
  }
  const std::uint8_t* p = Page(tree, page);
  const std::uint8_t* e = p + 8;
  for (unsigned i = 0; i < U16(p + 2); ++i) {
    std::size_t n = 0;
    int c = compare(e, true, n);
    if (c == 0) return e;
    if (c > 0) return nullptr;
    e += n;
  }
  return nullptr;
}

std::string Read(const Bytes& hlp, ReadHelp& out) {
  out = ReadHelp();
  if (hlp.size() < 16 || Get32(hlp, 0) != 0x00035F3F) return "bad magic";
  if (Get32(hlp, 12) != hlp.size()) return "wrong file size in the header";
  std::string e = ReadDirectory(hlp, out);
  if (e.empty()) e = ReadSystem(out);
  if (e.empty()) e = ReadTopics(out);
  return e;
}

}  // namespace hlptest
