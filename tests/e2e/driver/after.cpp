#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>

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
using scenario::Quote;

// Registry data as it reads best: texts quoted, anything else in hex.
std::string Shown(DWORD type, const std::string& data) {
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && !data.empty() && data.back() == '\0')
    return Quote(data.substr(0, data.size() - 1)) + " with its zero";
  if (type == REG_SZ || type == REG_EXPAND_SZ) return Quote(data) + " without a zero";
  std::string hex = "hex";
  for (unsigned char c : data) {
    char b[4];
    std::snprintf(b, sizeof b, " %02X", c);
    hex += b;
  }
  return hex;
}

std::string BytesDiffer(const std::string& want, const std::string& got) {
  size_t i = 0;
  while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%lu bytes, expected %lu; first difference at offset %lu",
                static_cast<unsigned long>(got.size()), static_cast<unsigned long>(want.size()),
                static_cast<unsigned long>(i));
  return buf;
}

void CheckValue(const Fact& f) {
  const std::string where = "value " + Quote(f.name) + " of " + KeyName(f.root, f.path);
  DWORD type = 0;
  std::string data;
  LONG r = QueryValue(f.root, f.path, f.name, &type, &data);
  if (r != ERROR_SUCCESS) return Fail("%s: %s", where.c_str(), ErrorText(static_cast<DWORD>(r)).c_str());
  if (f.anyData) return Pass("%s exists", where.c_str());
  if (type != static_cast<DWORD>(f.type) || data != f.data)
    return Fail("%s is type %lu %s, expected type %d %s", where.c_str(), static_cast<unsigned long>(type),
                Shown(type, data).c_str(), static_cast<int>(f.type),
                Shown(static_cast<DWORD>(f.type), f.data).c_str());
  Pass("%s is %s", where.c_str(), Shown(type, data).c_str());
}

void CheckNoValue(const Fact& f) {
  DWORD type = 0;
  std::string data;
  if (QueryValue(f.root, f.path, f.name, &type, &data) == ERROR_SUCCESS)
    return Fail("value %s of %s exists: %s", Quote(f.name).c_str(), KeyName(f.root, f.path).c_str(),
                Shown(type, data).c_str());
  Pass("no value %s in %s", Quote(f.name).c_str(), KeyName(f.root, f.path).c_str());
}

void CheckTime(const char* which, const std::optional<scenario::LocalTime>& want, const scenario::LocalTime& got,
               const std::string& path) {
  if (!want) return;
  if (*want != got)
    return Fail("%s %s %s, expected %s", path.c_str(), which, Format(got).c_str(), Format(*want).c_str());
  Pass("%s %s %s", path.c_str(), which, Format(got).c_str());
}

void CheckFile(const Fact& f, const Machine& m) {
  if (!IsFile(f.path)) return Fail("no file %s", f.path.c_str());
  std::string error;
  FileTimes times;
  // Times first: reading the bytes may move the access time.
  if (!GetLocalTimes(f.path, &times, &error)) return Fail("%s", error.c_str());
  CheckTime("created", f.times.created, times.created, f.path);
  CheckTime("accessed", f.times.accessed, times.accessed, f.path);
  CheckTime("written", f.times.written, times.written, f.path);
  if (f.readOnly) {
    const bool ro = (GetFileAttributesA(f.path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    if (ro != *f.readOnly) Fail("%s is %s", f.path.c_str(), ro ? "read-only" : "not read-only");
    else Pass("%s is %s", f.path.c_str(), ro ? "read-only" : "not read-only");
  }
  if (f.content.kind == Content::Unspecified) return Pass("file %s exists", f.path.c_str());
  std::string want = f.content.bytes, got;
  if (f.content.kind == Content::Payload && !ReadBytes(m.payloadDir + "\\" + f.content.payload, &want, &error))
    return Fail("payload: %s", error.c_str());
  if (!ReadBytes(f.path, &got, &error)) return Fail("%s", error.c_str());
  const std::string what = f.content.kind == Content::Payload ? "payload " + f.content.payload : "the bytes given";
  if (got != want) return Fail("%s differs from %s: %s", f.path.c_str(), what.c_str(), BytesDiffer(want, got).c_str());
  Pass("%s equals %s (%lu bytes)", f.path.c_str(), what.c_str(), static_cast<unsigned long>(got.size()));
}

void Compare(const char* what, const std::optional<std::string>& want, const std::string& got, bool noCase,
             const std::string& path) {
  if (!want) return;
  if (noCase ? !SameNoCase(*want, got) : *want != got)
    return Fail("link %s: %s %s, expected %s", path.c_str(), what, Quote(got).c_str(), Quote(*want).c_str());
  Pass("link %s: %s %s", path.c_str(), what, Quote(got).c_str());
}

void Compare(const char* what, const std::optional<int>& want, int got, const std::string& path) {
  if (!want) return;
  if (*want != got) return Fail("link %s: %s %d, expected %d", path.c_str(), what, got, *want);
  Pass("link %s: %s %d", path.c_str(), what, got);
}

void CheckLink(const Fact& f) {
  if (!IsFile(f.path)) return Fail("no link file %s", f.path.c_str());
  LinkInfo l;
  std::string error;
  if (!LoadLink(f.path, &l, &error)) return Fail("%s", error.c_str());
  Pass("link %s loads", f.path.c_str());
  // Paths are compared as the file system compares them.
  Compare("target", f.link.target, l.target, true, f.path);
  Compare("working folder", f.link.dir, l.dir, true, f.path);
  Compare("description", f.link.desc, l.desc, false, f.path);
  Compare("icon file", f.link.icon, l.icon, true, f.path);
  Compare("arguments", f.link.args, l.args, false, f.path);
  Compare("icon index", f.link.iconIndex, l.iconIndex, f.path);
  Compare("show command", f.link.show, l.show, f.path);
}

// Full image paths of the running processes.
std::vector<std::string> RunningImages() {
  std::vector<std::string> images;
  Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL more = snap && Process32First(snap.get(), &pe); more; more = Process32Next(snap.get(), &pe)) {
    std::string image = pe.szExeFile;
    Handle p(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pe.th32ProcessID));
    char buf[MAX_PATH * 2];
    DWORD size = sizeof buf;
    if (p && QueryFullProcessImageNameA(p.get(), 0, buf, &size)) image = buf;
    images.push_back(image);
  }
  return images;
}

bool Running(const std::string& path, std::string* seen) {
  const bool full = path.find('\\') != std::string::npos;
  for (const std::string& image : RunningImages()) {
    *seen += " " + image;
    const std::string name = image.substr(image.find_last_of('\\') + 1);
    if (SameNoCase(full ? image : name, path)) return true;
  }
  return false;
}

void CheckLaunch(const Fact& f) {
  std::string seen;
  const bool running = Running(f.path, &seen);
  if (f.kind == Fact::Launch && !running) return Fail("%s is not running; running:%s", f.path.c_str(), seen.c_str());
  if (f.kind == Fact::NoLaunch && running) return Fail("%s is running", f.path.c_str());
  Pass("%s %s", f.path.c_str(), running ? "is running" : "is not running");
}

void CheckPosted(const Fact& f, const Machine& m) {
  std::vector<unsigned> got;
  if (!m.peers.Received(f.path, &got)) return Fail("no window %s was set up before", Quote(f.path).c_str());
  std::string list;
  for (unsigned msg : got) {
    if (msg == f.message) return Pass("window %s received 0x%X", Quote(f.path).c_str(), msg);
    char b[16];
    std::snprintf(b, sizeof b, " 0x%X", msg);
    list += b;
  }
  Fail("window %s did not receive 0x%X; it received:%s", Quote(f.path).c_str(), f.message,
       list.empty() ? " nothing" : list.c_str());
}

void CheckExit(const Fact& f, const Machine& m) {
  DWORD code = 0;
  GetExitCodeProcess(m.setup, &code);
  if (code == STILL_ACTIVE) return Fail("the program is still running");
  if (f.anyExit || code == f.exitCode) return Pass("exit code %lu", static_cast<unsigned long>(code));
  Fail("exit code %lu, expected %u", static_cast<unsigned long>(code), f.exitCode);
}

void Present(bool present, bool want, const std::string& what) {
  if (present != want) return Fail("%s %s", what.c_str(), present ? "exists" : "does not exist");
  Pass("%s %s", what.c_str(), present ? "exists" : "does not exist");
}

}  // namespace

bool CheckAfter(const Fact& f, Machine* m) {
  Say("line %d: %s", f.line, f.source.c_str());
  const int before = Failures();
  switch (f.kind) {
    case Fact::Key:
    case Fact::NoKey: Present(KeyExists(f.root, f.path), f.kind == Fact::Key, "key " + KeyName(f.root, f.path)); break;
    case Fact::Value: CheckValue(f); break;
    case Fact::NoValue: CheckNoValue(f); break;
    case Fact::Folder:
    case Fact::NoFolder: Present(IsFolder(f.path), f.kind == Fact::Folder, "folder " + f.path); break;
    case Fact::File: CheckFile(f, *m); break;
    case Fact::NoFile:
      Present(GetFileAttributesA(f.path.c_str()) != INVALID_FILE_ATTRIBUTES, false, "file " + f.path);
      break;
    case Fact::Link: CheckLink(f); break;
    case Fact::Launch:
    case Fact::NoLaunch: CheckLaunch(f); break;
    case Fact::Posted: CheckPosted(f, *m); break;
    case Fact::Exit: CheckExit(f, *m); break;
    default: Fail("not a fact to check here"); break;
  }
  return Failures() == before;
}

}  // namespace e2e
