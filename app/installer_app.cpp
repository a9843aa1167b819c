#include "app/installer_app.h"

#include "app/running_instance.h"
#include "app/version_check.h"
#include "resources/resource.h"
#include "ui/agreement_dlg.h"
#include "ui/backdrop_dlg.h"
#include "ui/install_dlg.h"
#include "ui/welcome_dlg.h"

CInstallerApp theApp;

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
END_MESSAGE_MAP()

CInstallerApp::CInstallerApp() : CWinApp(nullptr) {}
CInstallerApp::~CInstallerApp() = default;

namespace {
// A refusal on a front screen: the backdrop goes first, then the process.
[[noreturn]] void Refuse(CBackdropDlg* backdrop) {
  backdrop->DestroyWindow();
  os::exit(0);
}
}  // namespace

os::BOOL CInstallerApp::InitApplication() {
  CWelcomeDlg welcome;
  CheckVersionLibrary();
  // Lives as long as the process: it stays behind every later window.
  m_pBackdrop = new CBackdropDlg;
  m_pBackdrop->Create(IDD_BACKDROP);
  if (welcome.DoModal() != os::IDOK) Refuse(m_pBackdrop);
  {
    CAgreementDlg agreement;
    if (agreement.DoModal() != os::IDOK) Refuse(m_pBackdrop);
  }
  CheckRunningInstance();
  return CWinApp::InitApplication();
}

os::BOOL CInstallerApp::InitInstance() {
  Enable3dControlsStatic();
  CInstallDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  return os::FALSE;
}
