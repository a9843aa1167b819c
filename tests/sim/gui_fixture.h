// A machine loaded with the test module (gui_test.rc), a scripted user, and a
// dialog procedure that records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"
#include "platform/sim/scripted_user.h"

namespace simtest {

struct Received {
  os::UINT message;
  os::WPARAM wParam;
  os::LPARAM lParam;
};

// The dialog procedure of the tests: records every message; its handler (if
// any) answers; without one a pressed button ends the dialog with its id.
struct Probe {
  std::vector<Received> received;
  std::function<os::INT_PTR(os::HWND, os::UINT, os::WPARAM, os::LPARAM)> handler;
  std::vector<os::UINT> Messages() const {
    std::vector<os::UINT> out;
    for (const Received& r : received) out.push_back(r.message);
    return out;
  }
  int Count(os::UINT message) const {
    int n = 0;
    for (const Received& r : received) n += r.message == message;
    return n;
  }
};
os::INT_PTR OS_WINAPI ProbeProc(os::HWND hwnd, os::UINT msg, os::WPARAM w, os::LPARAM l);
// The probe that ProbeProc reports to; set by the fixture.
extern Probe* g_probe;

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  int Run(const std::function<int()>& main) { return sim::RunProcess(m, user, main); }
  // The modal dialog of the test module, run with the probe.
  static os::INT_PTR Modal(int templateId, os::HWND owner = nullptr);
  static os::HWND Modeless(int templateId, os::HWND owner = nullptr);

  sim::Machine m;
  sim::ScriptedUser user;
  Probe probe;
};

}  // namespace simtest
