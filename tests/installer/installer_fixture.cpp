#include "tests/installer/installer_fixture.h"

#include "platform/framework.h"
#include "product/product.h"
#include "ui/install_dlg.h"

const char kFinalStatus[] = "To install Testanza, at least\r\n500 Kb of free disk space is required.";

void InstallerTest::SetUp() {
  std::string error;
  ASSERT_TRUE(m.gui.resources.LoadFile(SETUP_RES, &error)) << error;
}

void InstallerTest::TearDown() { EXPECT_EQ(user.Leftover(), "") << "steps the installer never reached"; }

int InstallerTest::Run() {
  return sim::RunProcess(m, user, [] {
    AfxResetProcessState();
    ResetProcessGlobals();
    return AfxWinMain();
  });
}

CInstallDlg* InstallerTest::Dialog() { return static_cast<CInstallDlg*>(AfxGetMainWnd()); }

std::string InstallerTest::Boxes() const {
  return sim::Describe(sim::EventsOf(m.transcript, sim::Event::MessageBox));
}
