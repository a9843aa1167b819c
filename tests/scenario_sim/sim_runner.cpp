#include "tests/scenario_sim/sim_runner.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "app/installer_app.h"
#include "platform/framework.h"
#include "platform/sim/process.h"
#include "platform/sim/scripted_user.h"
#include "product/product.h"
#include "tests/scenario_sim/scenario_user.h"

namespace scenario_sim {
namespace {

// The process never frees its backdrop: its memory goes with the process.
struct ForgetBackdrop {
  ~ForgetBackdrop() {
#if defined(__SANITIZE_ADDRESS__)
    if (theApp.m_pBackdrop) __lsan_ignore_object(theApp.m_pBackdrop);
#endif
  }
};

int RunInstaller(sim::Machine& m, sim::User& user) {
  ForgetBackdrop forget;
  return sim::RunProcess(m, user, [] {
    AfxResetProcessState();
    ResetProcessGlobals();
    return AfxWinMain();
  });
}

// What a run must leave behind on any path out of it.
void CheckTidy(const sim::Machine& m, size_t run, Failures* f) {
  const std::string which = "run " + std::to_string(run) + " ";
  for (const std::string& key : m.system.OpenKeys()) f->Add(which + "left the registry key " + key + " open");
  if (m.system.LiveComObjects()) f->Add(which + "left shell link objects unreleased");
  if (m.system.LiveItemLists()) f->Add(which + "left item lists unfreed");
}

// The sim only records a launch. The product it started runs on as the real
// one does, holding its mutex and showing its main window, so that a later
// run of the installer meets it.
void StartLaunchedProduct(sim::Machine& m, size_t from) {
  for (size_t i = from; i < m.transcript.size(); ++i) {
    const sim::Event& e = m.transcript[i];
    if (e.kind != sim::Event::Launch || e.result <= 32 || !SameProgram(e.text, product::kProgramFile)) continue;
    m.gui.HoldMutexElsewhere(product::kMutexName);
    m.gui.AddOtherWindow(product::kWindowTitles[0]);
  }
}

}  // namespace

Outcome RunScenario(const std::string& text, const Setup& setup) {
  Outcome out;
  Failures f;
  scenario::Scenario s;
  std::string error;
  sim::Machine m;
  if (!scenario::Parse(text, &s, &error)) f.Add(error);
  else if (!m.gui.resources.LoadFile(setup.resources, &error)) f.Add("the program's resources: " + error);
  else if (!scenario::ExpandAll(&s, MachineVariables(m), &error)) f.Add(error);
  if (f.empty() && s.only == scenario::Scenario::Only::Wine) {
    out.skipped = true;
    return out;
  }
  if (f.empty()) ApplyBefore(s.before, setup, m, &f);
  if (!f.empty()) {
    out.failures = f.items();
    return out;
  }

  ScenarioUser user(s.steps, &f);
  std::vector<int> exitCodes;
  bool stopped = false;
  try {
    do {
      const size_t from = m.transcript.size();
      exitCodes.push_back(RunInstaller(m, user));
      CheckTidy(m, exitCodes.size(), &f);
      StartLaunchedProduct(m, from);
    } while (user.TakeRerun());
  } catch (const sim::TestFailure& e) {
    f.Add(e.what());
    stopped = true;
  }
  if (!stopped) {
    for (const scenario::Step* st : user.Leftover())
      f.Add(st->line, st->source,
            "not reached: the program ended with exit code " + std::to_string(exitCodes.back()));
    CheckAfter(s.after, setup, m, exitCodes, &f);
  }
  out.failures = f.items();
  out.transcript = sim::Describe(m.transcript);
  return out;
}

}  // namespace scenario_sim
