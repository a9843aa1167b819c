// The application object: its two start-up hooks are the program's whole run.
#pragma once

#include "platform/framework.h"

class CBackdropDlg;

class CInstallerApp : public CWinApp {
 public:
  CInstallerApp();
  ~CInstallerApp() override;
  os::BOOL InitInstance() override;
  os::BOOL InitApplication() override;

  CBackdropDlg* m_pBackdrop = nullptr;

  DECLARE_MESSAGE_MAP()
};

extern CInstallerApp theApp;
