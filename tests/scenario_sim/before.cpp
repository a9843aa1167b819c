// The before section on a fresh simulated machine.
#include <fstream>
#include <sstream>

#include "platform/sim/lnk.h"
#include "tests/scenario_sim/local_time.h"
#include "tests/scenario_sim/machine_facts.h"

namespace scenario_sim {

using scenario::Fact;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void DeleteKey(sim::SystemState& sys, const std::string& path) {
  const sim::RegKeyPtr key = sys.Key(path);
  if (!key) return;
  const sim::RegKeyPtr parent = key->parent.lock();
  if (parent) parent->children.erase(key->name);
  key->deleted = true;
}

}  // namespace

bool ContentOf(const Fact& fact, const Setup& setup, std::string* bytes, Failures* f) {
  if (fact.content.kind != scenario::Content::Payload) {
    *bytes = fact.content.bytes;
    return true;
  }
  std::ifstream in(setup.payloadDir + "/" + fact.content.payload, std::ios::binary);
  if (!in) {
    f->Add(fact.line, fact.source, "no payload file " + setup.payloadDir + "/" + fact.content.payload);
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  *bytes = text.str();
  return true;
}

namespace {

void PutFile(const Fact& fact, const Setup& setup, sim::SystemState& sys, Failures* f) {
  std::string bytes;
  if (!ContentOf(fact, setup, &bytes, f)) return;
  if (!sys.PutFile(fact.path, bytes)) return f->Add(fact.line, fact.source, "the sim cannot make this file");
  const sim::NodePtr node = sys.Find(fact.path);
  const int offset = sys.utcOffsetMinutes;
  if (fact.times.created) node->created = FromLocal(*fact.times.created, offset);
  if (fact.times.accessed) node->accessed = FromLocal(*fact.times.accessed, offset);
  if (fact.times.written) node->written = FromLocal(*fact.times.written, offset);
  if (fact.readOnly) sys.SetReadOnly(fact.path, *fact.readOnly);
}

// As the shell writes it: the header describes the target when it exists.
void PutLink(const Fact& fact, sim::SystemState& sys, Failures* f) {
  const scenario::LinkProps& l = fact.link;
  if (l.args && !l.args->empty())
    return f->Add(fact.line, fact.source, "the sim's links carry no arguments");
  sim::LinkProperties props;
  props.target = *l.target;
  props.workingDir = l.dir.value_or("");
  props.description = l.desc.value_or("");
  props.iconLocation = l.icon.value_or("");
  props.iconIndex = l.iconIndex.value_or(0);
  props.showCmd = l.show.value_or(1);
  sim::LinkTarget target;
  if (const sim::NodePtr node = sys.Find(props.target)) {
    target.exists = true;
    target.attributes = node->attributes | (node->folder ? 0x10u : 0u);
    target.created = node->created;
    target.accessed = node->accessed;
    target.written = node->written;
    target.size = static_cast<uint32_t>(node->data.size());
  }
  if (!sys.PutFile(fact.path, sim::WriteLinkFile(props, target, FolderOf(fact.path))))
    f->Add(fact.line, fact.source, "the sim cannot make this link");
}

void Apply(const Fact& fact, const Setup& setup, sim::Machine& m, Failures* f) {
  sim::SystemState& sys = m.system;
  switch (fact.kind) {
    case Fact::Key:
      if (InLocalMachine(fact, f)) sys.MakeKey(fact.path);
      return;
    case Fact::NoKey:
      if (InLocalMachine(fact, f)) DeleteKey(sys, fact.path);
      return;
    case Fact::Value:
      if (InLocalMachine(fact, f)) sys.SetValue(fact.path, fact.name, static_cast<uint32_t>(fact.type), Bytes(fact.data));
      return;
    case Fact::NoValue:
      if (!InLocalMachine(fact, f)) return;
      if (const sim::RegKeyPtr key = sys.Key(fact.path)) key->values.erase(fact.name);
      return;
    case Fact::Folder:
      if (!sys.MakeFolders(fact.path)) f->Add(fact.line, fact.source, "the sim cannot make this folder");
      return;
    case Fact::NoFolder:
      if (sys.IsFolder(fact.path)) sys.Remove(fact.path);
      return;
    case Fact::File: return PutFile(fact, setup, sys, f);
    case Fact::NoFile:
      if (sys.IsFile(fact.path)) sys.Remove(fact.path);
      return;
    case Fact::Link: return PutLink(fact, sys, f);
    case Fact::Window: m.gui.AddOtherWindow(fact.path); return;
    case Fact::Mutex: m.gui.HoldMutexElsewhere(fact.path); return;
    case Fact::Sim: return ApplyDirective(fact, m, f);
    default: return f->Add(fact.line, fact.source, "not a fact to set up");
  }
}

}  // namespace

scenario::Variables MachineVariables(const sim::Machine& m) {
  const sim::SystemState& sys = m.system;
  std::string programFiles;
  sys.GetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", &programFiles);
  return {{"ProgramFilesDir", programFiles},
          {"Programs", sys.programsFolder},
          {"Desktop", sys.desktopFolder},
          {"Windows", sys.windowsDir},
          {"System", sys.windowsDir + "\\System32"},
          {"Temp", sys.windowsDir + "\\Temp"}};
}

bool InLocalMachine(const Fact& fact, Failures* f) {
  if (fact.root == scenario::RegRoot::LocalMachine) return true;
  f->Add(fact.line, fact.source, "the sim has no HKEY_CURRENT_USER");
  return false;
}

void ApplyBefore(const std::vector<Fact>& facts, const Setup& setup, sim::Machine& m, Failures* f) {
  for (const Fact& fact : facts) Apply(fact, setup, m, f);
}

}  // namespace scenario_sim
