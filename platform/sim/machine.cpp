#include "platform/sim/machine.h"

#include "platform/framework.h"
#include "platform/sim/gui_internal.h"

namespace sim {
namespace {

Machine* g_machine = nullptr;

std::vector<ProcessHook>& StartHooks() {
  static std::vector<ProcessHook> hooks;
  return hooks;
}
std::vector<ProcessHook>& EndHooks() {
  static std::vector<ProcessHook> hooks;
  return hooks;
}

void StartProcess(Machine& m) {
  GuiState& gui = m.gui;
  gui.process = GuiState::Process();
  for (auto& entry : gui.mutexes) {
    NamedMutex& mx = entry.second;
    mx.handles = mx.ownCount = mx.opened = mx.releases = mx.closedWhileOwned = mx.handlesAtExit = 0;
    mx.ownedAtExit = false;
  }
  AfxResetProcessState();
  for (ProcessHook hook : StartHooks()) hook(m);
}

// The system takes back what the process held: its handles are closed (an
// owned mutex is abandoned), its windows vanish without a message.
void EndProcess(Machine& m) {
  for (ProcessHook hook : EndHooks()) hook(m);
  GuiState& gui = m.gui;
  for (auto& entry : gui.mutexes) {
    entry.second.handlesAtExit = entry.second.handles;
    entry.second.ownedAtExit = entry.second.ownCount > 0;
  }
  while (!gui.process.handles.empty()) CloseKernelHandle(gui.process.handles.front().handle);
  for (auto& w : gui.process.windows) w->alive = w->visible = false;
}

}  // namespace

Machine::InUse::InUse(Machine* m) : machine(m) { g_machine = m; }
Machine::InUse::~InUse() {
  if (g_machine == machine) g_machine = nullptr;
}

Machine::Machine() = default;

void Machine::Fail(const std::string& op, const std::string& match, long code, int times) {
  faults.push_back({op, match, times, code});
}

bool Machine::Failing(const char* op, const std::string& arg, long* code) {
  for (Fault& f : faults) {
    if (f.times == 0 || f.op != op || (!f.match.empty() && f.match != arg)) continue;
    if (f.times > 0) --f.times;
    if (code) *code = f.code;
    return true;
  }
  return false;
}

Machine& M() {
  if (!g_machine) FailTest("an os:: call with no simulated machine in use");
  return *g_machine;
}
void Use(Machine* machine) { g_machine = machine; }

void FailTest(const std::string& why) { throw TestFailure(why); }

bool AddProcessStartHook(ProcessHook hook) {
  StartHooks().push_back(hook);
  return true;
}
bool AddProcessEndHook(ProcessHook hook) {
  EndHooks().push_back(hook);
  return true;
}

void* NewHandleValue() {
  // Spaced and far from zero, so that no handle is mistaken for a resource
  // number or a small count.
  static uintptr_t next = 0x10000;
  next += 4;
  return reinterpret_cast<void*>(next);
}

int RunProcess(Machine& machine, User& user, const std::function<int()>& main) {
  Machine* const previous = g_machine;
  Use(&machine);
  machine.user = &user;
  StartProcess(machine);
  int code = 0;
  try {
    code = main();
  } catch (const ProcessExit& e) {
    code = e.code;
  } catch (...) {
    EndProcess(machine);
    machine.user = nullptr;
    Use(previous);
    throw;
  }
  EndProcess(machine);
  Event exitEvent = NewEvent(Event::Exit);
  exitEvent.result = code;
  machine.transcript.push_back(exitEvent);
  machine.user = nullptr;
  Use(previous);
  return code;
}

}  // namespace sim

namespace os {
void exit(int code) { throw sim::ProcessExit{code}; }
}  // namespace os
