#include "parse_lines.h"
#include "values.h"

namespace scenario {
namespace {

bool Fail(std::string* error, const std::string& message) {
  *error = message;
  return false;
}

bool Arity(LineArgs* a, size_t lo, size_t hi, const char* usage, std::string* error) {
  if (a->Count() < lo || a->Count() > hi) return Fail(error, std::string("usage: ") + usage);
  return true;
}

bool KeyArg(LineArgs* a, Fact* f, std::string* error) {
  if (!ParseKeyPath(a->At(0), &f->root, &f->path))
    return Fail(error, "'" + a->At(0) + "' is not a key path under HKLM\\ or HKCU\\");
  return true;
}

bool TimeOption(LineArgs* a, const char* name, std::optional<LocalTime>* out, std::string* error) {
  std::optional<std::string> w = a->Option(name);
  if (!w) return true;
  LocalTime t;
  if (!ParseLocalTime(*w, &t))
    return Fail(error, std::string(name) + "= needs a local time \"YYYY-MM-DD HH:MM:SS\"");
  *out = t;
  return true;
}

bool FileContent(LineArgs* a, Content* c, std::string* error) {
  std::optional<std::string> payload = a->Option("payload");
  std::optional<std::string> text = a->Option("text");
  std::optional<std::string> hex = a->Option("hex");
  if ((payload ? 1 : 0) + (text ? 1 : 0) + (hex ? 1 : 0) > 1)
    return Fail(error, "give at most one of payload=, text=, hex=");
  if (payload) {
    if (payload->empty() || payload->find_first_of("/\\") != std::string::npos)
      return Fail(error, "payload= names a file of the payload folder, without a folder");
    c->kind = Content::Payload;
    c->payload = *payload;
  } else if (text) {
    c->kind = Content::Bytes;
    c->bytes = *text;
  } else if (hex) {
    c->kind = Content::Bytes;
    if (!ParseHex(*hex, &c->bytes)) return Fail(error, "hex= needs pairs of hex digits");
  }
  return true;
}

bool FileFact(LineArgs* a, Section section, Fact* f, std::string* error) {
  if (!Arity(a, 1, 2, "file PATH [payload=|text=|hex=] [times=|created=|accessed=|written=] [readonly|writable]", error))
    return false;
  f->path = a->At(0);
  if (!FileContent(a, &f->content, error)) return false;
  std::optional<LocalTime> all;
  if (!TimeOption(a, "times", &all, error)) return false;
  f->times.created = f->times.accessed = f->times.written = all;
  if (!TimeOption(a, "created", &f->times.created, error) ||
      !TimeOption(a, "accessed", &f->times.accessed, error) ||
      !TimeOption(a, "written", &f->times.written, error))
    return false;
  if (a->Flag("readonly", 1)) f->readOnly = true;
  if (section == Section::After && a->Flag("writable", 1)) f->readOnly = false;
  return true;
}

bool IntOption(LineArgs* a, const char* name, unsigned long long max, std::optional<int>* out,
               std::string* error) {
  std::optional<std::string> w = a->Option(name);
  if (!w) return true;
  unsigned long long v = 0;
  if (!ParseNumber(*w, max, &v)) return Fail(error, std::string(name) + "= needs a number");
  *out = static_cast<int>(v);
  return true;
}

bool LinkFact(LineArgs* a, Section section, Fact* f, std::string* error) {
  if (!Arity(a, 1, 1, "link PATH [target=] [dir=] [desc=] [icon=] [index=] [show=] [args=]", error))
    return false;
  f->path = a->At(0);
  LinkProps& l = f->link;
  l.target = a->Option("target");
  l.dir = a->Option("dir");
  l.desc = a->Option("desc");
  l.icon = a->Option("icon");
  l.args = a->Option("args");
  if (!IntOption(a, "index", 0x7FFFFFFF, &l.iconIndex, error) ||
      !IntOption(a, "show", 0xFFFF, &l.show, error))
    return false;
  if (section == Section::Before && !l.target) return Fail(error, "a link to make needs target=");
  return true;
}

bool ValueFact(LineArgs* a, Section section, Fact* f, std::string* error) {
  const char* usage = section == Section::Before ? "value KEY NAME TYPE DATA"
                                                 : "value KEY NAME [TYPE DATA]";
  if (!Arity(a, 2, 4, usage, error) || a->Count() == 3) return Fail(error, std::string("usage: ") + usage);
  if (section == Section::Before && a->Count() != 4) return Fail(error, std::string("usage: ") + usage);
  if (!KeyArg(a, f, error)) return false;
  f->name = a->At(1);
  f->anyData = a->Count() == 2;
  if (!f->anyData && !ParseRegData(a->At(2), a->At(3), &f->type, &f->data, error)) return false;
  return true;
}

bool ExitFact(LineArgs* a, Fact* f, std::string* error) {
  if (!Arity(a, 1, 1, "exit CODE|any", error)) return false;
  if (a->Flag("any", 0)) {
    f->anyExit = true;
    return true;
  }
  unsigned long long v = 0;
  if (!ParseNumber(a->At(0), 0xFFFFFFFFull, &v)) return Fail(error, "exit needs a number or any");
  f->exitCode = static_cast<unsigned>(v);
  return true;
}

bool PostedFact(LineArgs* a, Fact* f, std::string* error) {
  if (!Arity(a, 2, 2, "posted TITLE MESSAGE", error)) return false;
  f->path = a->At(0);
  unsigned long long v = 0;
  if (!ParseNumber(a->At(1), 0xFFFFFFFFull, &v)) return Fail(error, "posted needs a message number");
  f->message = static_cast<unsigned>(v);
  return true;
}

bool SimFact(LineArgs* a, Fact* f, std::string* error) {
  if (a->Count() < 1) return Fail(error, "usage: sim WORD [ARGS...] [name=value...]");
  f->directive.keyword = a->At(0);
  for (size_t i = 1; i < a->Count(); ++i) f->directive.args.push_back(a->At(i));
  f->directive.options = a->TakeOptions();
  return true;
}

struct KindName {
  const char* word;
  Fact::Kind kind;
  bool before, after;
};

const KindName kKinds[] = {
    {"key", Fact::Key, true, true},          {"nokey", Fact::NoKey, true, true},
    {"value", Fact::Value, true, true},      {"novalue", Fact::NoValue, true, true},
    {"folder", Fact::Folder, true, true},    {"nofolder", Fact::NoFolder, true, true},
    {"file", Fact::File, true, true},        {"nofile", Fact::NoFile, true, true},
    {"link", Fact::Link, true, true},        {"window", Fact::Window, true, false},
    {"mutex", Fact::Mutex, true, false},     {"exit", Fact::Exit, false, true},
    {"launch", Fact::Launch, false, true},   {"nolaunch", Fact::NoLaunch, false, true},
    {"posted", Fact::Posted, false, true},   {"sim", Fact::Sim, true, true},
};

bool OnePath(LineArgs* a, const char* usage, Fact* f, std::string* error) {
  if (!Arity(a, 1, 1, usage, error)) return false;
  f->path = a->At(0);
  if (f->path.empty()) return Fail(error, std::string("usage: ") + usage + " (not empty)");
  return true;
}

}  // namespace

bool ParseFact(const std::string& keyword, LineArgs* a, Section section, Fact* f,
               std::string* error) {
  const KindName* k = nullptr;
  for (const KindName& kn : kKinds)
    if (keyword == kn.word) k = &kn;
  if (!k) return Fail(error, "unknown keyword '" + keyword + "'");
  if (!(section == Section::Before ? k->before : k->after))
    return Fail(error, "'" + keyword + "' does not belong in the " +
                           (section == Section::Before ? "before" : "after") + " section");
  f->kind = k->kind;
  switch (f->kind) {
    case Fact::Key:
    case Fact::NoKey:
      return Arity(a, 1, 1, "key KEY", error) && KeyArg(a, f, error);
    case Fact::Value: return ValueFact(a, section, f, error);
    case Fact::NoValue:
      if (!Arity(a, 2, 2, "novalue KEY NAME", error) || !KeyArg(a, f, error)) return false;
      f->name = a->At(1);
      return true;
    case Fact::Folder:
    case Fact::NoFolder:
    case Fact::NoFile: return OnePath(a, "folder|nofolder|nofile PATH", f, error);
    case Fact::Window:
    case Fact::Mutex: return OnePath(a, "window TITLE | mutex NAME", f, error);
    case Fact::Launch:
    case Fact::NoLaunch: return OnePath(a, "launch|nolaunch PATH", f, error);
    case Fact::File: return FileFact(a, section, f, error);
    case Fact::Link: return LinkFact(a, section, f, error);
    case Fact::Exit: return ExitFact(a, f, error);
    case Fact::Posted: return PostedFact(a, f, error);
    case Fact::Sim: return SimFact(a, f, error);
  }
  return false;
}

}  // namespace scenario
