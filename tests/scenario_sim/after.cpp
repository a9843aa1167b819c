// The after section against the simulated machine and the transcript.
#include <cctype>

#include "platform/sim/lnk.h"
#include "platform/sim/scripted_user.h"
#include "tests/scenario_sim/local_time.h"
#include "tests/scenario_sim/machine_facts.h"

namespace scenario_sim {

using scenario::Fact;
using scenario::Quote;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string DescribeData(uint32_t type, const std::string& bytes) {
  return "type " + std::to_string(type) + " data " + Quote(bytes);
}

void CheckValue(const Fact& fact, const sim::SystemState& sys, Failures* f) {
  const sim::RegKeyPtr key = sys.Key(fact.path);
  if (!key) return f->Add(fact.line, fact.source, "the key does not exist");
  const auto it = key->values.find(fact.name);
  if (it == key->values.end()) return f->Add(fact.line, fact.source, "the value does not exist");
  if (fact.anyData) return;
  const std::string bytes(it->second.data.begin(), it->second.data.end());
  if (it->second.type != static_cast<uint32_t>(fact.type) || bytes != fact.data)
    f->Add(fact.line, fact.source, "the value is " + DescribeData(it->second.type, bytes));
}

std::string DescribeContent(const std::string& have, const std::string& want) {
  size_t at = 0;
  while (at < have.size() && at < want.size() && have[at] == want[at]) ++at;
  return "content differs: " + std::to_string(have.size()) + " bytes, expected " + std::to_string(want.size()) +
         ", first difference at byte " + std::to_string(at);
}

void CheckTime(const Fact& fact, const char* which, const std::optional<scenario::LocalTime>& want,
               sim::FileTime have, int offset, Failures* f) {
  if (!want) return;
  const scenario::LocalTime local = ToLocal(have, offset);
  if (local != *want) f->Add(fact.line, fact.source, std::string(which) + " " + scenario::Format(local) + " (local)");
}

void CheckFile(const Fact& fact, const Setup& setup, const sim::SystemState& sys, Failures* f) {
  const sim::NodePtr node = sys.Find(fact.path);
  if (!node) return f->Add(fact.line, fact.source, "the file does not exist");
  if (node->folder) return f->Add(fact.line, fact.source, "it is a folder");
  if (fact.content.kind != scenario::Content::Unspecified) {
    std::string want;
    if (!ContentOf(fact, setup, &want, f)) return;
    const std::string have(node->data.begin(), node->data.end());
    if (have != want) f->Add(fact.line, fact.source, DescribeContent(have, want));
  }
  CheckTime(fact, "created", fact.times.created, node->created, sys.utcOffsetMinutes, f);
  CheckTime(fact, "accessed", fact.times.accessed, node->accessed, sys.utcOffsetMinutes, f);
  CheckTime(fact, "written", fact.times.written, node->written, sys.utcOffsetMinutes, f);
  const bool readOnly = (node->attributes & os::FILE_ATTRIBUTE_READONLY) != 0;
  if (fact.readOnly && *fact.readOnly != readOnly)
    f->Add(fact.line, fact.source, readOnly ? "the file is read-only" : "the file is not read-only");
}

template <typename T>
void Prop(const Fact& fact, const char* name, const std::optional<T>& want, const T& have, Failures* f) {
  if (!want || *want == have) return;
  if constexpr (std::is_same<T, std::string>::value)
    f->Add(fact.line, fact.source, std::string(name) + "=" + Quote(have));
  else
    f->Add(fact.line, fact.source, std::string(name) + "=" + std::to_string(have));
}

void CheckLink(const Fact& fact, const sim::SystemState& sys, Failures* f) {
  const sim::NodePtr node = sys.Find(fact.path);
  if (!node || node->folder) return f->Add(fact.line, fact.source, "the link file does not exist");
  sim::LinkProperties have;
  if (!sim::ParseLinkFile(node->data, &have)) return f->Add(fact.line, fact.source, "not a shell link");
  const scenario::LinkProps& want = fact.link;
  Prop(fact, "target", want.target, have.target, f);
  Prop(fact, "dir", want.dir, have.workingDir, f);
  Prop(fact, "desc", want.desc, have.description, f);
  Prop(fact, "icon", want.icon, have.iconLocation, f);
  Prop(fact, "index", want.iconIndex, have.iconIndex, f);
  Prop(fact, "show", want.show, have.showCmd, f);
  Prop(fact, "args", want.args, std::string(), f);
}

bool Launched(const sim::Machine& m, const std::string& pattern) {
  for (const sim::Event& e : m.transcript)
    if (e.kind == sim::Event::Launch && e.result > 32 && SameProgram(e.text, pattern)) return true;
  return false;
}

bool Posted(const sim::Machine& m, const std::string& title, unsigned message) {
  for (const sim::WindowMessage& w : m.gui.posted)
    if (w.title == title && w.message == message) return true;
  return false;
}

void Check(const Fact& fact, const Setup& setup, sim::Machine& m, const std::vector<int>& exitCodes,
           Failures* f) {
  const sim::SystemState& sys = m.system;
  switch (fact.kind) {
    case Fact::Key:
      if (InLocalMachine(fact, f) && !sys.Key(fact.path)) f->Add(fact.line, fact.source, "the key does not exist");
      return;
    case Fact::NoKey:
      if (InLocalMachine(fact, f) && sys.Key(fact.path)) f->Add(fact.line, fact.source, "the key exists");
      return;
    case Fact::Value:
      if (InLocalMachine(fact, f)) CheckValue(fact, sys, f);
      return;
    case Fact::NoValue: {
      if (!InLocalMachine(fact, f)) return;
      const sim::RegKeyPtr key = sys.Key(fact.path);
      if (key && key->values.count(fact.name)) f->Add(fact.line, fact.source, "the value exists");
      return;
    }
    case Fact::Folder:
      if (!sys.IsFolder(fact.path)) f->Add(fact.line, fact.source, "the folder does not exist");
      return;
    case Fact::NoFolder:
      if (sys.IsFolder(fact.path)) f->Add(fact.line, fact.source, "the folder exists");
      return;
    case Fact::File: return CheckFile(fact, setup, sys, f);
    case Fact::NoFile:
      if (sys.Find(fact.path)) f->Add(fact.line, fact.source, sys.IsFolder(fact.path) ? "a folder of that name exists" : "the file exists");
      return;
    case Fact::Link: return CheckLink(fact, sys, f);
    case Fact::Exit:
      if (exitCodes.empty()) return f->Add(fact.line, fact.source, "the program never ended");
      if (!fact.anyExit && static_cast<unsigned>(exitCodes.back()) != fact.exitCode)
        f->Add(fact.line, fact.source, "the exit code is " + std::to_string(exitCodes.back()));
      return;
    case Fact::Launch:
      if (!Launched(m, fact.path)) f->Add(fact.line, fact.source, "no such program was started");
      return;
    case Fact::NoLaunch:
      if (Launched(m, fact.path)) f->Add(fact.line, fact.source, "the program was started");
      return;
    case Fact::Posted:
      if (!Posted(m, fact.path, fact.message)) f->Add(fact.line, fact.source, "no such message was posted");
      return;
    case Fact::Sim: return CheckDirective(fact, m, f);
    default: return f->Add(fact.line, fact.source, "not a fact to check");
  }
}

}  // namespace

bool SameProgram(const std::string& launched, const std::string& pattern) {
  if (pattern.find('\\') != std::string::npos) return Lower(launched) == Lower(pattern);
  const size_t slash = launched.find_last_of('\\');
  return Lower(slash == std::string::npos ? launched : launched.substr(slash + 1)) == Lower(pattern);
}

void CheckAfter(const std::vector<Fact>& facts, const Setup& setup, sim::Machine& m,
                const std::vector<int>& exitCodes, Failures* f) {
  for (const Fact& fact : facts) Check(fact, setup, m, exitCodes, f);
}

}  // namespace scenario_sim
