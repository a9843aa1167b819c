// Writing and reading Shell Link files (MS-SHLLINK): the header, a LinkInfo
// with a local base path, the string data and the terminal block.
#include <algorithm>
#include <cctype>

#include "platform/sim/lnk.h"
#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                    0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr uint32_t kHasIdList = 0x1, kHasLinkInfo = 0x2, kHasName = 0x4, kHasRelativePath = 0x8,
                   kHasWorkingDir = 0x10, kHasArguments = 0x20, kHasIconLocation = 0x40, kIsUnicode = 0x80;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kDriveFixed = 3;

class Writer {
 public:
  void U16(uint32_t v) {
    for (int i = 0; i < 2; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
  }
  void Text(const std::string& s) {  // zero-terminated ANSI
    bytes.insert(bytes.end(), s.begin(), s.end());
    bytes.push_back(0);
  }
  void Set32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  std::vector<uint8_t> bytes;
};

bool IsLocalPath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
}

std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts;
  std::string piece;
  for (char c : path.substr(3) + "\\") {
    if (c != '\\') {
      piece += c;
    } else if (!piece.empty()) {
      parts.push_back(piece);
      piece.clear();
    }
  }
  return parts;
}

// The way the shell records a target beside the absolute one: ".\\x" or "..\\..\\x".
std::string RelativePath(const std::string& folder, const std::string& target) {
  if (!IsLocalPath(folder) || !IsLocalPath(target) || std::toupper(static_cast<unsigned char>(folder[0])) !=
                                                          std::toupper(static_cast<unsigned char>(target[0]))) {
    return "";
  }
  const std::vector<std::string> from = Parts(folder), to = Parts(target);
  size_t common = 0;
  while (common < from.size() && common < to.size() && CiEqual(from[common], to[common])) ++common;
  std::string rel = common == from.size() ? "." : "";
  for (size_t i = common; i < from.size(); ++i) rel += rel.empty() ? ".." : "\\..";
  for (size_t i = common; i < to.size(); ++i) rel += "\\" + to[i];
  return rel;
}

void WriteHeader(Writer& w, uint32_t flags, const LinkProperties& link, const LinkTarget& target) {
  w.U32(kHeaderSize);
  w.bytes.insert(w.bytes.end(), kLinkClsid, kLinkClsid + 16);
  w.U32(flags);
  w.U32(target.exists ? target.attributes : 0);
  w.U64(target.created);
  w.U64(target.accessed);
  w.U64(target.written);
  w.U32(target.size);
  w.U32(static_cast<uint32_t>(link.iconIndex));
  w.U32(static_cast<uint32_t>(link.showCmd));
  w.U16(0);  // hot key
  w.U16(0);
  w.U32(0);
  w.U32(0);
}

void WriteLinkInfo(Writer& w, const std::string& target) {
  const size_t start = w.bytes.size();
  const uint32_t headerSize = 0x1C, volumeSize = 0x11;
  w.U32(0);  // size, set below
  w.U32(headerSize);
  w.U32(kVolumeIdAndLocalBasePath);
  w.U32(headerSize);               // VolumeID
  w.U32(headerSize + volumeSize);  // LocalBasePath
  w.U32(0);                        // no network part
  w.U32(headerSize + volumeSize + static_cast<uint32_t>(target.size()) + 1);  // CommonPathSuffix
  w.U32(volumeSize);
  w.U32(kDriveFixed);
  w.U32(0x1C0FFEE5);  // serial number
  w.U32(0x10);        // label offset
  w.Text("");         // no volume label
  w.Text(target);
  w.Text("");
  w.Set32(start, static_cast<uint32_t>(w.bytes.size() - start));
}

void WriteString(Writer& w, const std::string& text) {
  const std::u16string wide = AnsiToWide(text);
  w.U16(static_cast<uint32_t>(wide.size()));
  for (char16_t c : wide) w.U16(c);
}

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : b_(bytes) {}
  bool Has(size_t at, size_t n) const { return at <= b_.size() && n <= b_.size() - at; }
  uint8_t Byte(size_t at) const { return b_[at]; }
  uint32_t U16(size_t at) const { return b_[at] | b_[at + 1] << 8; }
  uint32_t U32(size_t at) const {
    return static_cast<uint32_t>(b_[at] | b_[at + 1] << 8 | b_[at + 2] << 16) | static_cast<uint32_t>(b_[at + 3]) << 24;
  }
  // A zero-terminated ANSI string that must end before limit.
  bool Text(size_t at, size_t limit, std::string* out) const {
    out->clear();
    for (size_t i = at; i < limit && i < b_.size(); ++i) {
      if (!b_[i]) return true;
      *out += static_cast<char>(b_[i]);
    }
    return false;
  }
  bool WideText(size_t at, size_t limit, std::string* out) const {
    std::u16string wide;
    for (size_t i = at; i + 1 < limit && i + 1 < b_.size(); i += 2) {
      const char16_t c = static_cast<char16_t>(U16(i));
      if (!c) return *out = WideToAnsi(wide), true;
      wide += c;
    }
    return false;
  }

 private:
  const std::vector<uint8_t>& b_;
};

bool ReadLinkInfo(const Reader& r, size_t at, std::string* target, size_t* size) {
  if (!r.Has(at, 0x1C)) return false;
  *size = r.U32(at);
  const uint32_t headerSize = r.U32(at + 4);
  if (*size < 0x1C || !r.Has(at, *size) || headerSize > *size) return false;
  if (!(r.U32(at + 8) & kVolumeIdAndLocalBasePath)) return true;
  const size_t end = at + *size;
  std::string base, suffix;
  if (headerSize >= 0x24) {
    return r.WideText(at + r.U32(at + 0x1C), end, &base) && r.WideText(at + r.U32(at + 0x20), end, &suffix) &&
           (*target = base + suffix, true);
  }
  if (!r.Text(at + r.U32(at + 0x10), end, &base) || !r.Text(at + r.U32(at + 0x18), end, &suffix)) return false;
  *target = base + suffix;
  return true;
}

bool ReadString(const Reader& r, size_t* at, bool unicode, std::string* out) {
  if (!r.Has(*at, 2)) return false;
  const size_t count = r.U16(*at);
  const size_t bytes = count * (unicode ? 2 : 1);
  if (!r.Has(*at + 2, bytes)) return false;
  std::u16string wide;
  std::string narrow;
  for (size_t i = 0; i < count; ++i) {
    if (unicode) wide += static_cast<char16_t>(r.U16(*at + 2 + 2 * i));
    else narrow += static_cast<char>(r.Byte(*at + 2 + i));
  }
  *out = unicode ? WideToAnsi(wide) : narrow;
  *at += 2 + bytes;
  return true;
}

}  // namespace

std::vector<uint8_t> WriteLinkFile(const LinkProperties& link, const LinkTarget& target,
                                   const std::string& linkFolder) {
  const std::string relative = RelativePath(linkFolder, link.target);
  uint32_t flags = kIsUnicode;
  if (IsLocalPath(link.target)) flags |= kHasLinkInfo;
  if (!link.description.empty()) flags |= kHasName;
  if (!relative.empty()) flags |= kHasRelativePath;
  if (!link.workingDir.empty()) flags |= kHasWorkingDir;
  if (!link.iconLocation.empty()) flags |= kHasIconLocation;
  Writer w;
  WriteHeader(w, flags, link, target);
  if (flags & kHasLinkInfo) WriteLinkInfo(w, link.target);
  if (flags & kHasName) WriteString(w, link.description);
  if (flags & kHasRelativePath) WriteString(w, relative);
  if (flags & kHasWorkingDir) WriteString(w, link.workingDir);
  if (flags & kHasIconLocation) WriteString(w, link.iconLocation);
  w.U32(0);  // terminal block
  return w.bytes;
}

bool ParseLinkFile(const std::vector<uint8_t>& bytes, LinkProperties* link) {
  const Reader r(bytes);
  if (!r.Has(0, kHeaderSize) || r.U32(0) != kHeaderSize ||
      !std::equal(kLinkClsid, kLinkClsid + 16, bytes.begin() + 4)) {
    return false;
  }
  *link = LinkProperties();
  const uint32_t flags = r.U32(0x14);
  link->iconIndex = static_cast<int32_t>(r.U32(0x38));
  link->showCmd = static_cast<int>(r.U32(0x3C));
  size_t at = kHeaderSize;
  if (flags & kHasIdList) {
    if (!r.Has(at, 2)) return false;
    at += 2 + r.U16(at);
  }
  if (flags & kHasLinkInfo) {
    size_t size = 0;
    if (!ReadLinkInfo(r, at, &link->target, &size)) return false;
    at += size;
  }
  const bool unicode = flags & kIsUnicode;
  std::string arguments;
  const std::pair<uint32_t, std::string*> strings[] = {{kHasName, &link->description},
                                                       {kHasRelativePath, &link->relativePath},
                                                       {kHasWorkingDir, &link->workingDir},
                                                       {kHasArguments, &arguments},
                                                       {kHasIconLocation, &link->iconLocation}};
  for (const auto& s : strings) {
    if ((flags & s.first) && !ReadString(r, &at, unicode, s.second)) return false;
  }
  return true;
}

}  // namespace sim
