// Runs the real installer program, resources and all, as one process of a
// simulated machine that each test sets up.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/machine.h"
#include "platform/sim/scripted_user.h"

class CInstallDlg;

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // One run of setup.exe; the exit code.
  int Run();
  // The install dialog while it runs (for checks inside a user step).
  static CInstallDlg* Dialog();
  // Every message box of the last run, one line each.
  std::string Boxes() const;

  sim::Machine m;
  sim::ScriptedUser user;
};

// Caption and controls of the install dialog.
constexpr int kInstall = 102;
constexpr int kEdit = 1007, kBrowse = 1008, kStatus = 1009, kInstallButton = 1010, kCancelButton = 1003;
extern const char kFinalStatus[];
