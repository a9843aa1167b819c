#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif
#include "tests/installer/installer_fixture.h"

#include "app/installer_app.h"
#include "platform/framework.h"
#include "product/product.h"
#include "ui/install_dlg.h"

const char kFinalStatus[] = "To install Testanza, at least\r\n500 Kb of free disk space is required.";

void InstallerTest::SetUp() {
  std::string error;
  ASSERT_TRUE(m.gui.resources.LoadFile(SETUP_RES, &error)) << error;
  if (acceptFrontScreens) AcceptFrontScreens();
}

void InstallerTest::TearDown() { EXPECT_EQ(user.Leftover(), "") << "steps the installer never reached"; }

namespace {
// The process never frees its backdrop: its memory goes with the process.
struct ForgetBackdrop {
  ~ForgetBackdrop() {
#if defined(__SANITIZE_ADDRESS__)
    if (theApp.m_pBackdrop) __lsan_ignore_object(theApp.m_pBackdrop);
#endif
  }
};
}  // namespace

int InstallerTest::Run() {
  ForgetBackdrop forget;
  return sim::RunProcess(m, user, [] {
    AfxResetProcessState();
    ResetProcessGlobals();
    return AfxWinMain();
  });
}

void InstallerTest::AcceptFrontScreens() {
  user.Do(kWelcome, sim::Action::ClickOn(kOkButton)).Do(kAgreement, sim::Action::ClickOn(kOkButton));
}

CInstallDlg* InstallerTest::Dialog() { return static_cast<CInstallDlg*>(AfxGetMainWnd()); }

std::string InstallerTest::Boxes() const {
  return sim::Describe(sim::EventsOf(m.transcript, sim::Event::MessageBox));
}
