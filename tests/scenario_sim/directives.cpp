// The sim's own lines: settings of the machine that a Wine prefix cannot be
// given (drives, free space, version.dll, faults, time zone), and checks of
// what only the sim records.
#include <cctype>
#include <cstdlib>

#include "tests/scenario/values.h"
#include "tests/scenario_sim/machine_facts.h"

namespace scenario_sim {

using scenario::Fact;
using scenario::Quote;

namespace {

const std::string* Option(const scenario::Directive& d, const char* name) {
  for (const auto& o : d.options)
    if (o.first == name) return &o.second;
  return nullptr;
}

bool Number(const std::string& word, unsigned long long* out) {
  return scenario::ParseNumber(word, ~0ull, out);
}

// "D:" or "D"
bool DriveLetter(const std::string& word, char* letter) {
  if (word.empty() || word.size() > 2 || !std::isalpha(static_cast<unsigned char>(word[0])) ||
      (word.size() == 2 && word[1] != ':'))
    return false;
  *letter = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
  return true;
}

struct Before {
  const Fact& fact;
  sim::Machine& m;
  Failures* f;
  const scenario::Directive& d = fact.directive;

  bool Args(size_t lo, size_t hi, const char* usage) {
    if (d.args.size() >= lo && d.args.size() <= hi) return true;
    f->Add(fact.line, fact.source, std::string("usage: sim ") + usage);
    return false;
  }
  void Bad(const std::string& what) { f->Add(fact.line, fact.source, what); }

  void Drive() {
    char letter = 0;
    unsigned long long free = 10ull << 30;
    const std::string* freeWord = Option(d, "free");
    if (!Args(1, 2, "drive LETTER: [free=BYTES] [notready]") || !DriveLetter(d.args[0], &letter) ||
        (freeWord && !Number(*freeWord, &free)) || (d.args.size() == 2 && d.args[1] != "notready"))
      return Bad("usage: sim drive LETTER: [free=BYTES] [notready]");
    m.system.AddDrive(letter);
    m.system.SetFreeSpace(letter, free);
    m.system.drives[letter].usable = d.args.size() < 2;
  }
  void Free() {
    char letter = 0;
    unsigned long long bytes = 0;
    if (!Args(2, 2, "free LETTER: BYTES") || !DriveLetter(d.args[0], &letter) || !Number(d.args[1], &bytes) ||
        !m.system.FindDrive(letter))
      return Bad("usage: sim free LETTER: BYTES, for a drive the machine has");
    m.system.SetFreeSpace(letter, bytes);
  }
  void Fail() {
    unsigned long long code = 0, times = 0;
    const std::string* codeWord = Option(d, "code");
    const std::string* timesWord = Option(d, "times");
    if (!Args(1, 2, "fail OP [MATCH] [code=N] [times=N]") || (codeWord && !Number(*codeWord, &code)) ||
        (timesWord && (!Number(*timesWord, &times) || times == 0)))
      return Bad("usage: sim fail OP [MATCH] [code=N] [times=N]");
    m.Fail(d.args[0], d.args.size() > 1 ? d.args[1] : "", static_cast<long>(code),
           timesWord ? static_cast<int>(times) : -1);
  }
  void TimeZone() {
    if (!Args(1, 1, "timezone MINUTES")) return;
    const std::string& w = d.args[0];
    unsigned long long minutes = 0;
    const bool sign = !w.empty() && (w[0] == '+' || w[0] == '-');
    if (!Number(sign ? w.substr(1) : w, &minutes) || minutes > 14 * 60) return Bad("minutes east of UTC, e.g. +120");
    m.system.utcOffsetMinutes = static_cast<int>(minutes) * (w[0] == '-' ? -1 : 1);
  }
  void HeldOpen() {
    if (Args(1, 1, "heldopen PATH") && !m.system.HoldOpen(d.args[0], true)) Bad("no such file");
  }
  void Refuse() {
    scenario::RegRoot root;
    std::string path;
    unsigned long long mask = 0;
    if (!Args(2, 2, "refuse KEY ACCESS") || !scenario::ParseKeyPath(d.args[0], &root, &path) ||
        root != scenario::RegRoot::LocalMachine || !Number(d.args[1], &mask))
      return Bad("usage: sim refuse HKLM\\KEY ACCESS-MASK");
    m.system.RefuseAccess(path, static_cast<uint32_t>(mask));
  }
  void Flag(bool* flag, bool value) {
    if (Args(0, 0, d.keyword.c_str())) *flag = value;
  }

  void Apply() {
    const std::string& k = d.keyword;
    if (k == "drive") return Drive();
    if (k == "free") return Free();
    if (k == "fail") return Fail();
    if (k == "timezone") return TimeZone();
    if (k == "heldopen") return HeldOpen();
    if (k == "refuse") return Refuse();
    if (k == "nofreeex") return Flag(&m.system.freeSpaceExAvailable, false);
    if (k == "noversiondll") return Flag(&m.system.versionDllPresent, false);
    if (k == "nowindowsdir") return Flag(&m.system.windowsDirFails, true);
    Bad("unknown sim setting '" + k + "'");
  }
};

// sim launched PATH [verb=V] [dir=D]: the program was handed to the shell so.
void CheckLaunched(const Fact& fact, const sim::Machine& m, Failures* f) {
  const scenario::Directive& d = fact.directive;
  if (d.args.size() != 1) return f->Add(fact.line, fact.source, "usage: sim launched PATH [verb=V] [dir=D]");
  const std::string* verb = Option(d, "verb");
  const std::string* dir = Option(d, "dir");
  std::string seen;
  for (const sim::Event& e : m.transcript) {
    if (e.kind != sim::Event::Launch) continue;
    const std::string detail = e.text + " " + Quote(e.detail);
    seen += seen.empty() ? detail : "; " + detail;
    const size_t bar = e.detail.find('|');
    if (SameProgram(e.text, d.args[0]) && (!verb || e.detail.substr(0, bar) == *verb) &&
        (!dir || e.detail.substr(bar + 1) == *dir))
      return;
  }
  f->Add(fact.line, fact.source, "no such launch; launches: " + (seen.empty() ? std::string("none") : seen));
}

}  // namespace

void ApplyDirective(const Fact& fact, sim::Machine& m, Failures* f) { Before{fact, m, f}.Apply(); }

void CheckDirective(const Fact& fact, sim::Machine& m, Failures* f) {
  if (fact.directive.keyword == "launched") return CheckLaunched(fact, m, f);
  f->Add(fact.line, fact.source, "unknown sim check '" + fact.directive.keyword + "'");
}

}  // namespace scenario_sim
