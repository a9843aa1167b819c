// version.dll's VerInstallFileA in the sim: reads the source from the
// simulated file system, expands its SZDD container and writes the
// destination, answering 0 or the VIF_* bits of what went wrong. The
// version-resource comparison of the real service is reduced to this: an
// existing destination is replaced only with VIFF_FORCEINSTALL; otherwise the
// expanded file is left under a temporary name, reported as VIF_TEMPFILE.
#include <cstdio>
#include <cstring>

#include "platform/sim/sys_process.h"
#include "szdd.h"

namespace sim {
namespace {

constexpr os::DWORD kTempFile = 0x1, kMismatch = 0x2, kFileInUse = 0x80, kSharingViolation = 0x400,
                    kBufferTooSmall = 0x40000;

std::string Join(const char* dir, const char* name) {
  std::string path = dir ? dir : "";
  if (!path.empty() && path.back() != '\\' && path.back() != '/' && path.back() != ':') path += '\\';
  return path + name;
}

bool ReadSource(const std::string& name, std::vector<uint8_t>* expanded) {
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name.c_str(), &path);
  const NodePtr node = error ? nullptr : LookupNode(Sys(), path, &error);
  if (!node || node->folder || !SharingAllows(*node, kAccessRead, kShareRead)) return false;
  return szdd::Expand(node->data.data(), node->data.size(), *expanded);
}

// Writes bytes under name, replacing a file there; 0 or the VIF_* bits.
os::DWORD WriteDestination(const std::string& name, const std::vector<uint8_t>& bytes) {
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name.c_str(), &path);
  const NodePtr parent = error || path.parts.empty() ? nullptr : LookupParent(Sys(), path, &error);
  if (!parent || !ValidName(path.parts.back())) return os::VIF_CANNOTCREATE;
  NodePtr node;
  const auto it = parent->children.find(path.parts.back());
  if (it != parent->children.end()) {
    node = it->second;
    if (node->folder) return os::VIF_CANNOTCREATE;
    if (node->attributes & os::FILE_ATTRIBUTE_READONLY) return os::VIF_WRITEPROT;
    if (!SharingAllows(*node, kAccessWrite | kAccessDelete, 0)) return kFileInUse | kSharingViolation;
    node->attributes = kAttrArchive;
  } else {
    node = std::make_shared<Node>();
    node->name = path.parts.back();
    node->attributes = kAttrArchive;
    node->created = Sys().Now();
    parent->children[node->name] = node;
  }
  node->data = bytes;
  node->written = node->accessed = Sys().Now();
  return 0;
}

// Without the force flag an existing file stays: the new one waits under a
// temporary name that the caller learns in tmpFile.
os::DWORD LeaveTemporary(const char* destDir, const std::vector<uint8_t>& bytes, char* tmpFile, os::UINT* tmpLen) {
  char name[16];
  std::snprintf(name, sizeof name, "VER%04X.tmp", static_cast<unsigned>(Sys().clock & 0xFFFF));
  const os::DWORD written = WriteDestination(Join(destDir, name), bytes);
  if (written) return written;
  const size_t needed = std::strlen(name) + 1;
  if (!tmpFile || !tmpLen || *tmpLen < needed) {
    if (tmpLen) *tmpLen = static_cast<os::UINT>(needed);
    return kTempFile | kMismatch | kBufferTooSmall;
  }
  std::memcpy(tmpFile, name, needed);
  *tmpLen = static_cast<os::UINT>(needed);
  return kTempFile | kMismatch;
}

}  // namespace
}  // namespace sim

using namespace sim;

os::DWORD os::VerInstallFileA(os::DWORD flags, const char* srcFile, const char* destFile, const char* srcDir,
                              const char* destDir, const char*, char* tmpFile, os::UINT* tmpFileLen) {
  if (!srcFile || !destFile) return os::VIF_CANNOTREADSRC;
  long code = 0;
  if (SysFaulted("VerInstallFileA", srcFile, os::VIF_CANNOTREADSRC, &code)) return static_cast<os::DWORD>(code);
  if (!Sys().versionDllPresent) return os::VIF_CANNOTREADSRC;
  std::vector<uint8_t> expanded;
  if (!ReadSource(Join(srcDir, srcFile), &expanded)) return os::VIF_CANNOTREADSRC;
  const std::string dest = Join(destDir, destFile);
  if (!(flags & os::VIFF_FORCEINSTALL) && Sys().IsFile(dest)) {
    return LeaveTemporary(destDir, expanded, tmpFile, tmpFileLen);
  }
  return WriteDestination(dest, expanded);
}
