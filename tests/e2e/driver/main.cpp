// e2e_driver.exe <scenario> <payload-dir> <shots-dir> [program]
//
// Runs one scenario against the real program: sets up the machine, starts the
// program (setup.exe next to the driver unless another is named), plays the
// steps, waits for the program to end and checks the machine. Prints every
// step and every mismatch; exits 0 only when everything held.
#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "files.h"
#include "machine.h"
#include "report.h"
#include "steps.h"
#include "win.h"

namespace e2e {
namespace {

bool LoadScenario(const std::string& path, scenario::Scenario* s) {
  std::string text, error;
  if (!ReadBytes(path, &text, &error) || !scenario::Parse(text, s, &error)) {
    Fail("%s: %s", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

// Lines that only the simulated machine can act on.
bool RunsHere(const scenario::Scenario& s) {
  const int before = Failures();
  if (s.only == scenario::Scenario::Only::Sim) Fail("the scenario says 'only sim'");
  for (const auto* list : {&s.before, &s.after})
    for (const scenario::Fact& f : *list)
      if (f.kind == scenario::Fact::Sim) Fail("line %d is for the simulated machine only", f.line);
  for (const scenario::Step& st : s.steps)
    if (st.kind == scenario::Step::Browse) Fail("line %d is for the simulated machine only", st.line);
  return Failures() == before;
}

std::string ProgramNextToMe() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + "setup.exe";
}

bool Start(const std::string& program, Handle* process, Session* session) {
  const std::string folder = program.substr(0, program.find_last_of('\\'));
  std::string command = "\"" + program + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  Say("starting %s", program.c_str());
  if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    Fail("cannot start %s: %s", program.c_str(), ErrorText(GetLastError()).c_str());
    return false;
  }
  CloseHandle(pi.hThread);
  *process = Handle(pi.hProcess);
  session->pid = pi.dwProcessId;
  session->process = pi.hProcess;
  session->current = nullptr;
  session->currentCaption.clear();
  return true;
}

// The steps, with the installer started anew at each rerun. False when a
// step broke off the run.
bool PlaySteps(const scenario::Scenario& s, const std::string& program, Handle* process, Session* session) {
  if (!Start(program, process, session)) return false;
  for (const scenario::Step& st : s.steps) {
    if (st.kind != scenario::Step::Rerun) {
      if (!RunStep(st, session)) return false;
      continue;
    }
    Say("line %d: %s", st.line, st.source.c_str());
    if (!AwaitExit(session, 2 * StepTimeout())) return false;
    AwaitStartedPrograms(session->pid);
    if (!Start(program, process, session)) return false;
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: e2e_driver <scenario> <payload-dir> <shots-dir> [program]\n");
    return 2;
  }
  scenario::Scenario s;
  if (!LoadScenario(argv[1], &s) || !RunsHere(s)) return 1;
  Say("scenario: %s", s.title.c_str());
  CoInitialize(nullptr);
  scenario::Variables vars;
  std::string error;
  if (!MachineVariables(&vars, &error) || !scenario::ExpandAll(&s, vars, &error)) {
    Fail("%s", error.c_str());
    return 1;
  }
  for (const auto& v : vars) Say("  ${%s} = %s", v.first.c_str(), v.second.c_str());

  Machine machine;
  machine.payloadDir = argv[2];
  for (const scenario::Fact& f : s.before)
    if (!ApplyBefore(f, &machine)) return 1;

  Handle process;
  Session session;
  session.shotsDir = argv[3];
  if (!MakeFolders(session.shotsDir, &error)) Fail("%s", error.c_str());
  const bool completed = PlaySteps(s, argc == 5 ? argv[4] : ProgramNextToMe(), &process, &session);
  if (!process) return 1;
  // After a step that broke off, the program is left where it stood: no point waiting long.
  AwaitExit(&session, completed ? 2 * StepTimeout() : 5);
  machine.setup = process.get();
  // The machine is checked even after a failed step: its state tells what happened.
  for (const scenario::Fact& f : s.after) CheckAfter(f, &machine);
  if (Failures()) Say("e2e: FAILED, %d mismatch(es)", Failures());
  else Say("e2e: passed");
  return Failures() ? 1 : 0;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) { return e2e::Run(argc, argv); }
