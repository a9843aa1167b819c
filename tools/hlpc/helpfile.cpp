#include "helpfile.h"

#include <algorithm>
#include <stdexcept>

#include "btree.h"
#include "topic.h"

namespace hlpc {
namespace {

const unsigned kFileHeader = 9;

struct FontSpec {
  unsigned attributes;  // 1 bold, 2 italic
  unsigned halfPoints;
  unsigned char rgb[3];
};

// In the order of the Font numbers; all in the one face.
const FontSpec kFonts[] = {
    {0, 20, {0, 0, 0}},     // body
    {1, 28, {0, 0, 128}},   // topic title
    {1, 22, {0, 0, 0}},     // sub-heading
};
const char kFace[] = "Arial";
const unsigned kFaceLength = 32;
const unsigned kFamilySwiss = 3;

void SystemRecord(Bytes& b, unsigned type, const Bytes& data) {
  Put16(b, type);
  Put16(b, static_cast<unsigned>(data.size()));
  Append(b, data);
}

Bytes ZString(const std::string& s) {
  Bytes b;
  PutZ(b, s);
  return b;
}

Bytes SystemFile(const HelpSource& source, std::uint32_t contents) {
  Bytes b;
  Put16(b, 0x036C);
  Put16(b, 21);  // minor version: Windows 3.1 help
  Put16(b, 1);   // major version
  Put32(b, 0);   // generation date left out, so that builds are reproducible
  Put16(b, 0);   // flags: topic blocks of 4 KB, not compressed
  SystemRecord(b, 1, ZString(source.title));
  if (!source.copyright.empty()) SystemRecord(b, 2, ZString(source.copyright));
  Bytes start;
  Put32(start, contents);
  SystemRecord(b, 3, start);
  return b;
}

Bytes FontFile() {
  Bytes b;
  const unsigned count = sizeof kFonts / sizeof kFonts[0];
  Put16(b, 1);      // face names
  Put16(b, count);  // descriptors
  Put16(b, 8);      // face names offset; below 12 means old-style descriptors
  Put16(b, 8 + kFaceLength);
  std::string face(kFace);
  face.resize(kFaceLength, '\0');
  b.insert(b.end(), face.begin(), face.end());
  for (const FontSpec& f : kFonts) {
    Put8(b, f.attributes);
    Put8(b, f.halfPoints);
    Put8(b, kFamilySwiss);
    Put16(b, 0);  // face name index
    for (unsigned char c : f.rgb) Put8(b, c);
    for (int i = 0; i < 3; ++i) Put8(b, 0xFF);  // background, unused
  }
  return b;
}

Bytes ContextFile(const HelpSource& source, const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::int32_t, std::uint32_t>> byHash;  // signed order, as readers compare
  for (size_t i = 0; i < source.topics.size(); ++i)
    byHash.push_back({static_cast<std::int32_t>(ContextHash(source.topics[i].context)), offsets[i]});
  std::sort(byHash.begin(), byHash.end());
  std::vector<BTreeEntry> entries;
  for (size_t i = 0; i < byHash.size(); ++i) {
    if (i > 0 && byHash[i].first == byHash[i - 1].first)
      throw std::runtime_error("two context ids with the same hash value");
    BTreeEntry e;
    Put32(e.key, static_cast<std::uint32_t>(byHash[i].first));
    e.leaf = e.key;
    Put32(e.leaf, byHash[i].second);
    entries.push_back(e);
  }
  return BuildBTree(entries, {0x800, 0x0002, "L4"});
}

Bytes TitleFile(const HelpSource& source, const std::vector<std::uint32_t>& offsets) {
  std::vector<BTreeEntry> entries;  // topic offsets rise in source order
  for (size_t i = 0; i < source.topics.size(); ++i) {
    BTreeEntry e;
    Put32(e.key, offsets[i]);
    e.leaf = e.key;
    PutZ(e.leaf, source.topics[i].title);
    entries.push_back(e);
  }
  return BuildBTree(entries, {0x800, 0x0002, "Lz"});
}

void PutFileHeader(Bytes& out, std::size_t used) {
  Put32(out, static_cast<std::uint32_t>(used + kFileHeader));  // reserved, header included
  Put32(out, static_cast<std::uint32_t>(used));
  Put8(out, 4);
}

}  // namespace

Bytes BuildHfs(std::vector<InternalFile> files) {
  std::sort(files.begin(), files.end(),
            [](const InternalFile& a, const InternalFile& b) { return a.first < b.first; });
  Bytes out(16, 0);
  std::vector<BTreeEntry> directory;
  for (const InternalFile& f : files) {
    BTreeEntry e;
    PutZ(e.key, f.first);
    e.leaf = e.key;
    Put32(e.leaf, static_cast<std::uint32_t>(out.size()));
    directory.push_back(e);
    PutFileHeader(out, f.second.size());
    Append(out, f.second);
  }
  std::uint32_t directoryStart = static_cast<std::uint32_t>(out.size());
  Bytes tree = BuildBTree(directory, {0x400, 0x0402, "z4"});
  PutFileHeader(out, tree.size());
  Append(out, tree);
  Patch32(out, 0, 0x00035F3F);
  Patch32(out, 4, directoryStart);
  Patch32(out, 8, 0xFFFFFFFF);  // no free list
  Patch32(out, 12, static_cast<std::uint32_t>(out.size()));
  return out;
}

Bytes BuildHelpFile(const HelpSource& source) {
  TopicFile topics = BuildTopicFile(source);
  return BuildHfs({
      {"|SYSTEM", SystemFile(source, topics.topicOffsets.front())},
      {"|FONT", FontFile()},
      {"|TOPIC", topics.data},
      {"|CONTEXT", ContextFile(source, topics.topicOffsets)},
      {"|TTLBTREE", TitleFile(source, topics.topicOffsets)},
  });
}

}  // namespace hlpc
