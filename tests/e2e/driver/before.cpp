#include "files.h"
#include "links.h"
#include "machine.h"
#include "registry.h"
#include "report.h"
#include "win.h"

namespace e2e {
namespace {

using scenario::Content;
using scenario::Fact;

std::string Parent(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool ContentBytes(const Content& c, const Machine& m, std::string* bytes, std::string* error) {
  if (c.kind == Content::Payload) return ReadBytes(m.payloadDir + "\\" + c.payload, bytes, error);
  *bytes = c.bytes;
  return true;
}

bool MakeFile(const Fact& f, const Machine& m, std::string* error) {
  std::string bytes;
  if (!ContentBytes(f.content, m, &bytes, error)) return false;
  const std::string parent = Parent(f.path);
  if (!parent.empty() && !MakeFolders(parent, error)) return false;
  SetFileAttributesA(f.path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!WriteBytes(f.path, bytes, error)) return false;
  const scenario::Times& t = f.times;
  if ((t.created || t.accessed || t.written) && !SetLocalTimes(f.path, t, error)) return false;
  if (f.readOnly.value_or(false) && !SetFileAttributesA(f.path.c_str(), FILE_ATTRIBUTE_READONLY)) {
    *error = "cannot make " + f.path + " read-only: " + ErrorText(GetLastError());
    return false;
  }
  return true;
}

bool RemoveFile(const std::string& path, std::string* error) {
  if (IsFolder(path)) {
    *error = path + " is a folder";
    return false;
  }
  return DeleteTree(path, error);
}

bool Apply(const Fact& f, Machine* m, std::string* error) {
  switch (f.kind) {
    case Fact::Key: return CreateKey(f.root, f.path, error);
    case Fact::NoKey: return DeleteKeyTree(f.root, f.path, error);
    case Fact::Value: return SetValue(f, error);
    case Fact::NoValue: return DeleteValue(f.root, f.path, f.name, error);
    case Fact::Folder: return MakeFolders(f.path, error);
    case Fact::NoFolder: return DeleteTree(f.path, error);
    case Fact::File: return MakeFile(f, *m, error);
    case Fact::NoFile: return RemoveFile(f.path, error);
    case Fact::Link:
      return (Parent(f.path).empty() || MakeFolders(Parent(f.path), error)) && SaveLink(f.path, f.link, error);
    case Fact::Window: return m->peers.AddWindow(f.path, error);
    case Fact::Mutex: return m->peers.AddMutex(f.path, error);
    default: *error = "not a fact to set up"; return false;
  }
}

}  // namespace

bool ApplyBefore(const Fact& fact, Machine* m) {
  Say("line %d: %s", fact.line, fact.source.c_str());
  std::string error;
  if (Apply(fact, m, &error)) return true;
  Fail("%s", error.c_str());
  return false;
}

}  // namespace e2e
