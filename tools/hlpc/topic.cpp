#include "topic.h"

namespace hlpc {
namespace {

const unsigned kLinkHeader = 21;
const std::uint32_t kNone = 0xFFFFFFFF;
const unsigned kBlockData = kTopicBlockSize - kTopicBlockHeader;
enum : unsigned { kTopicHeaderRecord = 2, kTextRecord = 0x20 };

struct Link {
  unsigned type;
  Bytes data1;  // after the 21-byte link header
  Bytes data2;
  int topic;    // the topic a header record starts, or -1
  std::uint32_t pos = 0;     // TOPICPOS of the link
  std::uint32_t offset = 0;  // TOPICOFFSET of the link
  unsigned block = 0;
  unsigned Size() const { return kLinkHeader + static_cast<unsigned>(data1.size() + data2.size()); }
};

struct ParagraphStyle {
  Font font;
  unsigned bits;           // which of the attributes below follow
  int above, below, left, first;
};

// Spacing and indents are in half points, the unit of the old font descriptors.
ParagraphStyle StyleOf(ParagraphKind kind) {
  switch (kind) {
    case ParagraphKind::Title: return {kTitleFont, 0x0004, 0, 12, 0, 0};
    case ParagraphKind::Heading: return {kHeadingFont, 0x0006, 12, 4, 0, 0};
    case ParagraphKind::ListItem: return {kBodyFont, 0x0052, 4, 0, 36, -18};
    case ParagraphKind::Body: break;
  }
  return {kBodyFont, 0x0002, 8, 0, 0, 0};
}

Link TextLink(const Paragraph& p) {
  ParagraphStyle style = StyleOf(p.kind);
  Bytes info;
  Put8(info, 0x00);
  Put8(info, 0x80);
  Put16(info, 0);  // id
  Put16(info, style.bits);
  if (style.bits & 0x0002) PutCompressedShort(info, style.above);
  if (style.bits & 0x0004) PutCompressedShort(info, style.below);
  if (style.bits & 0x0010) PutCompressedShort(info, style.left);
  if (style.bits & 0x0040) PutCompressedShort(info, style.first);

  // Each formatting command in data1 is preceded by one zero-ended string in data2.
  Bytes text;
  std::string pending;
  auto command = [&](std::initializer_list<unsigned> bytes) {
    PutZ(text, pending);
    pending.clear();
    for (unsigned b : bytes) Put8(info, b);
  };
  command({0x80, style.font & 0xFF, style.font >> 8});
  if (p.kind == ParagraphKind::ListItem) pending = "\x95  ";
  for (const Run& r : p.runs) {
    if (r.jump.empty()) {
      pending += r.text;
      continue;
    }
    std::uint32_t h = ContextHash(r.jump);
    command({0xE3, h & 0xFF, (h >> 8) & 0xFF, (h >> 16) & 0xFF, h >> 24});
    pending = r.text;
    command({0x89});
  }
  command({0x82});
  command({0xFF});

  Link link{kTextRecord, {}, text, -1};
  PutCompressedLong(link.data1, static_cast<std::int32_t>(info.size()));
  PutCompressedUShort(link.data1, static_cast<unsigned>(text.size()));
  Append(link.data1, info);
  return link;
}

Link HeaderLink(int topic, const std::string& title) {
  Link link{kTopicHeaderRecord, Bytes(28, 0), Bytes(title.begin(), title.end()), topic};
  return link;
}

std::vector<Link> MakeLinks(const HelpSource& source) {
  std::vector<Link> links;
  for (size_t t = 0; t < source.topics.size(); ++t) {
    links.push_back(HeaderLink(static_cast<int>(t), source.topics[t].title));
    for (const Paragraph& p : source.topics[t].paragraphs) links.push_back(TextLink(p));
  }
  links.push_back(HeaderLink(-1, ""));  // closes the chain; holds no topic
  return links;
}

// TOPICPOS counts 0x4000 per block and TOPICOFFSET 0x8000 per block; a link
// that runs into the next block keeps the block it started in.
void Place(std::vector<Link>& links) {
  unsigned block = 0, pos = kTopicBlockHeader, chars = 0, charsBlock = 0;
  for (Link& l : links) {
    while (pos >= kTopicBlockSize) {
      ++block;
      pos -= kBlockData;
    }
    if (block != charsBlock) {
      chars = 0;
      charsBlock = block;
    }
    l.block = block;
    l.pos = block * 0x4000 + pos;
    l.offset = block * 0x8000 + chars;
    if (l.type == kTextRecord) chars += static_cast<unsigned>(l.data2.size());
    pos += l.Size();
  }
}

void FillHeaders(std::vector<Link>& links) {
  std::uint32_t number = 0;
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].type != kTopicHeaderRecord) continue;
    size_t next = i + 1;
    std::uint32_t size = links[i].Size();
    while (next < links.size() && links[next].type != kTopicHeaderRecord) size += links[next++].Size();
    Bytes& d = links[i].data1;
    Patch32(d, 0, size);
    Patch32(d, 4, kNone);  // no browse sequence
    Patch32(d, 8, kNone);
    Patch32(d, 12, number++);
    Patch32(d, 16, kNone);  // no non-scrolling region
    Patch32(d, 20, next > i + 1 ? links[i + 1].pos : kNone);
    Patch32(d, 24, next < links.size() ? links[next].pos : kNone);
  }
}

Bytes Serialize(const std::vector<Link>& links) {
  Bytes stream;
  for (size_t i = 0; i < links.size(); ++i) {
    const Link& l = links[i];
    Put32(stream, l.Size());
    Put32(stream, static_cast<std::uint32_t>(l.data2.size()));
    Put32(stream, i == 0 ? kNone : links[i - 1].pos);
    Put32(stream, i + 1 < links.size() ? links[i + 1].pos : kNone);
    Put32(stream, kLinkHeader + static_cast<std::uint32_t>(l.data1.size()));
    Put8(stream, l.type);
    Append(stream, l.data1);
    Append(stream, l.data2);
  }
  return stream;
}

// Cuts the link stream into blocks, each headed by where the chain stands.
Bytes Blocks(const std::vector<Link>& links, const Bytes& stream) {
  Bytes out;
  size_t blocks = (stream.size() + kBlockData - 1) / kBlockData;
  for (size_t b = 0; b < blocks; ++b) {
    std::uint32_t lastLink = kNone, firstLink = kNone, lastHeader = kNone;
    for (const Link& l : links) {
      if (l.block < b) {
        lastLink = l.pos;
        if (l.type == kTopicHeaderRecord) lastHeader = l.pos;
      } else if (l.block == b && firstLink == kNone) {
        firstLink = l.pos;
      }
    }
    Put32(out, lastLink);
    Put32(out, firstLink);
    Put32(out, lastHeader);
    size_t from = b * kBlockData;
    size_t to = from + kBlockData < stream.size() ? from + kBlockData : stream.size();
    out.insert(out.end(), stream.begin() + from, stream.begin() + to);
  }
  // A reader copies whole blocks, so the last one is filled up.
  out.resize(blocks * kTopicBlockSize, 0);
  return out;
}

}  // namespace

std::uint32_t ContextHash(const std::string& context) {
  if (context.empty()) return 1;
  std::uint32_t hash = 0;
  for (char c : context) {
    unsigned v = 0;
    if (c >= 'A' && c <= 'Z') v = c - 'A' + 17;
    else if (c >= 'a' && c <= 'z') v = c - 'a' + 17;
    else if (c >= '1' && c <= '9') v = c - '0';
    else if (c == '0') v = 10;
    else if (c == '.') v = 12;
    else if (c == '_') v = 13;
    hash = hash * 43 + v;
  }
  return hash;
}

TopicFile BuildTopicFile(const HelpSource& source) {
  std::vector<Link> links = MakeLinks(source);
  Place(links);
  FillHeaders(links);
  TopicFile out;
  out.data = Blocks(links, Serialize(links));
  for (const Link& l : links)
    if (l.topic >= 0) out.topicOffsets.push_back(l.offset);
  return out;
}

}  // namespace hlpc
