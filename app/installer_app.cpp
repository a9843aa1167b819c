#include "app/installer_app.h"

#include "app/version_check.h"
#include "ui/install_dlg.h"

CInstallerApp theApp;

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
END_MESSAGE_MAP()

CInstallerApp::CInstallerApp() : CWinApp(nullptr) {}
CInstallerApp::~CInstallerApp() = default;

os::BOOL CInstallerApp::InitApplication() {
  CheckVersionLibrary();
  // Backdrop, welcome, agreement and the running-instance guard follow here,
  // in that order, each ending the process on a refusal.
  return CWinApp::InitApplication();
}

os::BOOL CInstallerApp::InitInstance() {
  Enable3dControlsStatic();
  CInstallDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  return os::FALSE;
}
