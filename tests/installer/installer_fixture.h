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
  // The user goes through welcome and agreement with their OK buttons.
  void AcceptFrontScreens();
  // The install dialog while it runs (for checks inside a user step).
  static CInstallDlg* Dialog();
  // Every message box of the last run, one line each.
  std::string Boxes() const;

  sim::Machine m;
  sim::ScriptedUser user;
  // Front screens answered with their OK buttons before the test's own steps.
  bool acceptFrontScreens = true;
};

// Templates and controls of the front screens.
constexpr int kBackdrop = 129, kWelcome = 130, kAgreement = 131;
constexpr int kOkButton = 1002, kFrontCancel = 1003;
// Caption and controls of the install dialog.
constexpr int kInstall = 102;
constexpr int kEdit = 1007, kBrowse = 1008, kStatus = 1009, kInstallButton = 1010, kCancelButton = 1003;
extern const char kFinalStatus[];
