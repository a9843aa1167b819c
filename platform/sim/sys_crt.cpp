// The C run-time file calls of the sim, with msvcrt's Windows rules: fopen
// shares reading and writing but not deletion, rename never replaces, remove
// refuses read-only files and folders, the current folder cannot be removed.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr uint32_t kCrtShare = kShareRead | kShareWrite;  // _SH_DENYNO

int Fail(uint32_t error) {
  SetLastErrorCode(error);
  return -1;
}

bool FaultedCrt(const char* op, const char* arg) {
  long code = 0;
  if (!SysFaulted(op, arg ? arg : "", os::ERROR_ACCESS_DENIED, &code)) return false;
  SetLastErrorCode(static_cast<uint32_t>(code));
  return true;
}

// Resolves a path and finds its node; false with the last error set.
bool Locate(const char* name, WinPath* path, NodePtr* node) {
  uint32_t error = ResolvePath(Sys(), name, path);
  if (!error) *node = LookupNode(Sys(), *path, &error);
  if (error) SetLastErrorCode(error);
  return !error;
}

struct Mode {
  char kind = 0;  // r, w or a
  bool update = false, text = true;
};

bool ParseMode(const char* text, Mode* mode) {
  if (!text || !std::strchr("rwa", text[0]) || !text[0]) return false;
  mode->kind = text[0];
  for (const char* p = text + 1; *p; ++p) {
    if (*p == '+') mode->update = true;
    else if (*p == 'b') mode->text = false;
    else if (*p == 't') mode->text = true;
  }
  return true;
}

// The node that fopen writes to: the existing file, or a new one.
NodePtr OpenForWriting(const WinPath& path, NodePtr existing, uint32_t access, bool truncate) {
  uint32_t error = 0;
  if (existing) {
    if (existing->folder || (existing->attributes & os::FILE_ATTRIBUTE_READONLY)) error = os::ERROR_ACCESS_DENIED;
    else if (!SharingAllows(*existing, access, kCrtShare)) error = os::ERROR_SHARING_VIOLATION;
    if (error) return SetLastErrorCode(error), nullptr;
    if (truncate) {
      existing->data.clear();
      existing->written = Sys().Now();
    }
    return existing;
  }
  NodePtr parent = LookupParent(Sys(), path, &error);
  if (parent && !ValidName(path.parts.back())) error = kErrorInvalidName;
  if (error) return SetLastErrorCode(error), nullptr;
  auto node = std::make_shared<Node>();
  node->name = path.parts.back();
  node->attributes = kAttrArchive;
  node->created = node->accessed = node->written = Sys().Now();
  parent->children[node->name] = node;
  return node;
}

bool IsWithin(const WinPath& inner, const WinPath& outer) {
  if (inner.drive != outer.drive || inner.parts.size() < outer.parts.size()) return false;
  for (size_t i = 0; i < outer.parts.size(); ++i) {
    if (!CiEqual(inner.parts[i], outer.parts[i])) return false;
  }
  return true;
}

// The folder that the process stands in: Windows holds it open.
WinPath CurrentPath() {
  WinPath cwd;
  ResolvePath(Sys(), ".", &cwd);
  return cwd;
}

int DeleteFile(const char* op, const char* name) {
  if (FaultedCrt(op, name)) return -1;
  WinPath path;
  NodePtr node;
  if (!Locate(name, &path, &node)) return -1;
  if (node->folder || (node->attributes & os::FILE_ATTRIBUTE_READONLY)) return Fail(os::ERROR_ACCESS_DENIED);
  if (!SharingAllows(*node, kAccessDelete, kShareRead | kShareWrite | kShareDelete)) {
    return Fail(os::ERROR_SHARING_VIOLATION);
  }
  uint32_t error = 0;
  LookupParent(Sys(), path, &error)->children.erase(path.parts.back());
  return 0;
}

}  // namespace
}  // namespace sim

using namespace sim;

os::FILE* os::fopen(const char* name, const char* mode) {
  Mode m;
  if (!ParseMode(mode, &m)) return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), nullptr;
  if (FaultedCrt("fopen", name)) return nullptr;
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name, &path);
  if (!error && (path.parts.empty() || path.trailingSeparator)) error = kErrorInvalidName;
  if (error) return SetLastErrorCode(error), nullptr;
  NodePtr node = LookupNode(Sys(), path, &error);
  const uint32_t access = (m.kind == 'r' && !m.update) ? kAccessRead
                          : (m.kind != 'r' && !m.update) ? kAccessWrite
                                                         : kAccessRead | kAccessWrite;
  if (m.kind == 'r') {
    if (!node) return SetLastErrorCode(error), nullptr;
    if (node->folder || ((access & kAccessWrite) && (node->attributes & os::FILE_ATTRIBUTE_READONLY))) {
      return SetLastErrorCode(os::ERROR_ACCESS_DENIED), nullptr;
    }
    if (!SharingAllows(*node, access, kCrtShare)) return SetLastErrorCode(os::ERROR_SHARING_VIOLATION), nullptr;
  } else {
    if (!node && error != os::ERROR_FILE_NOT_FOUND) return SetLastErrorCode(error), nullptr;
    node = OpenForWriting(path, node, access, m.kind == 'w');
    if (!node) return nullptr;
  }
  auto stream = std::make_unique<os::FILE>();
  stream->node = node;
  stream->openId = AddOpen(Sys(), *node, access, kCrtShare);
  stream->name = name;
  stream->text = m.text;
  stream->append = m.kind == 'a';
  stream->writable = m.kind != 'r' || m.update;
  os::FILE* result = stream.get();
  Proc().streams[result] = std::move(stream);
  return result;
}

size_t os::fwrite(const void* data, size_t size, size_t count, os::FILE* stream) {
  const auto it = Proc().streams.find(stream);
  if (it == Proc().streams.end() || !data || size == 0 || count == 0 || !stream->writable) return 0;
  long code = 0;
  size_t items = count;
  if (SysFaulted("fwrite", stream->name, 0, &code)) items = std::min(count, static_cast<size_t>(std::max(code, 0L)));
  std::vector<uint8_t> bytes;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < items * size; ++i) {
    if (stream->text && p[i] == '\n') bytes.push_back('\r');
    bytes.push_back(p[i]);
  }
  std::vector<uint8_t>& file = stream->node->data;
  if (stream->append) stream->position = file.size();
  if (file.size() < stream->position + bytes.size()) file.resize(stream->position + bytes.size());
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(stream->position));
  stream->position += bytes.size();
  if (!bytes.empty()) stream->node->written = stream->node->accessed = Sys().Now();
  return items;
}

int os::fclose(os::FILE* stream) {
  const auto it = Proc().streams.find(stream);
  if (it == Proc().streams.end()) return -1;
  // A failed close still releases the stream, as msvcrt's does.
  const bool failed = FaultedCrt("fclose", stream->name.c_str());
  stream->node->opens.erase(stream->openId);
  Proc().streams.erase(it);
  return failed ? -1 : 0;
}

int os::rename(const char* from, const char* to) {
  if (FaultedCrt("rename", from)) return -1;
  WinPath source, target;
  NodePtr node;
  if (!Locate(from, &source, &node)) return -1;
  uint32_t error = ResolvePath(Sys(), to, &target);
  NodePtr parent = error ? nullptr : LookupParent(Sys(), target, &error);
  if (!parent) return Fail(error);
  const auto existing = parent->children.find(target.parts.back());
  if (existing != parent->children.end() && existing->second != node) return Fail(os::ERROR_ALREADY_EXISTS);
  if (source.parts.empty() || !ValidName(target.parts.back())) return Fail(kErrorInvalidName);
  if (!SharingAllows(*node, kAccessDelete, kShareRead | kShareWrite | kShareDelete)) {
    return Fail(os::ERROR_SHARING_VIOLATION);
  }
  if (node->folder) {
    if (source.drive != target.drive) return Fail(kErrorNotSameDevice);
    if (IsWithin(target, source) || IsWithin(CurrentPath(), source)) return Fail(os::ERROR_ACCESS_DENIED);
  }
  LookupParent(Sys(), source, &error)->children.erase(source.parts.back());
  node->name = target.parts.back();
  parent->children[node->name] = node;
  return 0;
}

int os::remove(const char* name) { return DeleteFile("remove", name); }

int os::_unlink(const char* name) { return DeleteFile("_unlink", name); }

int os::_mkdir(const char* name) {
  if (FaultedCrt("_mkdir", name)) return -1;
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name, &path);
  if (error) return Fail(error);
  if (path.parts.empty()) return Fail(os::ERROR_ACCESS_DENIED);
  // CreateDirectory keeps room for an 8.3 name below the new folder.
  if (path.Text().size() > 247) return Fail(kErrorFilenameTooLong);
  NodePtr parent = LookupParent(Sys(), path, &error);
  if (!parent) return Fail(error);
  if (parent->children.count(path.parts.back())) return Fail(os::ERROR_ALREADY_EXISTS);
  if (!ValidName(path.parts.back())) return Fail(kErrorInvalidName);
  auto node = std::make_shared<Node>();
  node->name = path.parts.back();
  node->folder = true;
  node->created = node->accessed = node->written = Sys().Now();
  parent->children[node->name] = node;
  return 0;
}

int os::_rmdir(const char* name) {
  if (FaultedCrt("_rmdir", name)) return -1;
  WinPath path;
  NodePtr node;
  if (!Locate(name, &path, &node)) return -1;
  if (path.parts.empty()) return Fail(os::ERROR_ACCESS_DENIED);
  if (!node->folder) return Fail(kErrorDirectory);
  if (!node->children.empty()) return Fail(kErrorDirNotEmpty);
  if (node->attributes & os::FILE_ATTRIBUTE_READONLY) return Fail(os::ERROR_ACCESS_DENIED);
  if (node->heldOpen || IsWithin(CurrentPath(), path)) return Fail(os::ERROR_SHARING_VIOLATION);
  uint32_t error = 0;
  LookupParent(Sys(), path, &error)->children.erase(path.parts.back());
  return 0;
}

int os::_chdir(const char* name) {
  if (FaultedCrt("_chdir", name)) return -1;
  WinPath path;
  NodePtr node;
  if (!Locate(name, &path, &node)) return -1;
  if (!node->folder) return Fail(kErrorDirectory);
  // The process keeps its folder with a trailing backslash in MAX_PATH - 1.
  if (!path.parts.empty() && path.Text().size() > 257) return Fail(kErrorFilenameTooLong);
  Proc().drive = path.drive;
  Proc().folders[path.drive] = path.parts;
  return 0;
}

int os::_chdrive(int drive) {
  if (drive < 1 || drive > 31) return Fail(kErrorInvalidDrive);
  const char letter = static_cast<char>('A' + drive - 1);
  const std::string root = std::string(1, letter) + ":";
  if (FaultedCrt("_chdrive", root.c_str())) return -1;
  if (drive > 26) return Fail(kErrorInvalidName);
  // The drive's own current folder must still be there to be entered.
  WinPath path;
  NodePtr node;
  if (!Locate(root.c_str(), &path, &node)) return -1;
  if (!node->folder) return Fail(kErrorDirectory);
  Proc().drive = letter;
  return 0;
}

char* os::_getcwd(char* buffer, int size) {
  if (FaultedCrt("_getcwd", "")) return nullptr;
  const std::string text = Sys().CurrentFolder();
  const size_t needed = text.size() + 1;
  if (!buffer) {
    // msvcrt allocates what is needed, or the size asked for if more.
    const size_t bytes = std::max(needed, size > 0 ? static_cast<size_t>(size) : 0);
    buffer = static_cast<char*>(std::malloc(bytes));
    if (!buffer) return nullptr;
  } else if (size <= 0 || needed > static_cast<size_t>(size)) {
    return nullptr;
  }
  std::memcpy(buffer, text.c_str(), needed);
  return buffer;
}
