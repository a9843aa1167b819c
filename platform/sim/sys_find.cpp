// _findfirst, _findnext and _findclose over the simulated file system, with
// the wildcard rules of FindFirstFile: the pattern is turned into the DOS
// forms that the file system matches ("*.*" matches every name, "x.*" also
// matches "x", "*." matches names without a dot), case does not matter, and
// every folder but a drive's root lists "." and "..". Short 8.3 names are
// not simulated.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr char kDosStar = '<', kDosQm = '>', kDosDot = '"';

// FindFirstFile's translation of the caller's pattern.
std::string DosPattern(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  std::string out = pattern;
  for (size_t i = 0; i < out.size(); ++i) {
    const char next = i + 1 < out.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '?') out[i] = kDosQm;
    else if (pattern[i] == '.' && (next == '?' || next == '*' || next == '\0')) out[i] = kDosDot;
    else if (pattern[i] == '*' && next == '.') out[i] = kDosStar;
  }
  return out;
}

bool SameChar(char a, char b) {
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

bool Match(const std::string& pat, size_t p, const std::string& name, size_t n) {
  if (p == pat.size()) return n == name.size();
  switch (pat[p]) {
    case '*':
      for (size_t k = n; k <= name.size(); ++k) {
        if (Match(pat, p + 1, name, k)) return true;
      }
      return false;
    case kDosStar: {
      // Any run of characters that does not swallow the name's last dot.
      const size_t lastDot = name.rfind('.');
      for (size_t k = n; k <= name.size(); ++k) {
        if (Match(pat, p + 1, name, k)) return true;
        if (k == lastDot) return false;
      }
      return false;
    }
    case kDosQm:
      if (n == name.size() || name[n] == '.') return Match(pat, p + 1, name, n);
      return Match(pat, p + 1, name, n + 1);
    case kDosDot:
      if (n == name.size()) return Match(pat, p + 1, name, n);
      return name[n] == '.' && Match(pat, p + 1, name, n + 1);
    default:
      return n < name.size() && SameChar(pat[p], name[n]) && Match(pat, p + 1, name, n + 1);
  }
}

os::FindData Entry(const std::string& name, const Node& node) {
  os::FindData data{};
  data.attrib = node.attributes | (node.folder ? os::_A_SUBDIR : 0);
  data.size = node.folder ? 0 : static_cast<uint32_t>(node.data.size());
  std::strncpy(data.name, name.c_str(), sizeof data.name - 1);
  return data;
}

// Splits "dir\\pattern" (or "D:pattern", or "pattern") in two.
void SplitPattern(const std::string& text, std::string* folder, std::string* name) {
  const size_t cut = text.find_last_of("\\:");
  *folder = cut == std::string::npos ? "." : text.substr(0, cut + 1);
  *name = cut == std::string::npos ? text : text.substr(cut + 1);
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  return Match(DosPattern(pattern), 0, name, 0);
}

}  // namespace sim

using namespace sim;

intptr_t os::_findfirst(const char* pattern, os::FindData* data) {
  long code = 0;
  if (!pattern || !data) return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), -1;
  if (SysFaulted("_findfirst", pattern, os::ERROR_ACCESS_DENIED, &code)) {
    return SetLastErrorCode(static_cast<uint32_t>(code)), -1;
  }
  std::string text(pattern), folderText, name;
  std::replace(text.begin(), text.end(), '/', '\\');
  SplitPattern(text, &folderText, &name);
  if (name.empty()) return SetLastErrorCode(os::ERROR_FILE_NOT_FOUND), -1;
  WinPath folder;
  uint32_t error = ResolvePath(Sys(), folderText.c_str(), &folder);
  NodePtr node = error ? nullptr : LookupNode(Sys(), folder, &error);
  if (!node || !node->folder) return SetLastErrorCode(node ? kErrorDirectory : os::ERROR_PATH_NOT_FOUND), -1;
  ProcessState::Search search;
  if (!folder.parts.empty()) {
    for (const char* dot : {".", ".."}) {
      if (WildcardMatch(name, dot)) search.entries.push_back(Entry(dot, *node));
    }
  }
  for (const auto& child : node->children) {
    if (WildcardMatch(name, child.second->name)) search.entries.push_back(Entry(child.second->name, *child.second));
  }
  if (search.entries.empty()) return SetLastErrorCode(os::ERROR_FILE_NOT_FOUND), -1;
  *data = search.entries[0];
  search.next = 1;
  const intptr_t handle = Proc().nextSearch;
  Proc().nextSearch += 4;
  Proc().searches[handle] = std::move(search);
  return handle;
}

int os::_findnext(intptr_t handle, os::FindData* data) {
  long code = 0;
  if (SysFaulted("_findnext", "", 18, &code)) return SetLastErrorCode(static_cast<uint32_t>(code)), -1;
  const auto it = Proc().searches.find(handle);
  if (it == Proc().searches.end() || !data) return SetLastErrorCode(os::ERROR_INVALID_HANDLE), -1;
  ProcessState::Search& search = it->second;
  if (search.next >= search.entries.size()) return SetLastErrorCode(18), -1;  // ERROR_NO_MORE_FILES
  *data = search.entries[search.next++];
  return 0;
}

int os::_findclose(intptr_t handle) {
  long code = 0;
  if (SysFaulted("_findclose", "", os::ERROR_INVALID_HANDLE, &code)) {
    return SetLastErrorCode(static_cast<uint32_t>(code)), -1;
  }
  return Proc().searches.erase(handle) ? 0 : (SetLastErrorCode(os::ERROR_INVALID_HANDLE), -1);
}
