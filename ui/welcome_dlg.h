// The first screen: names the product and the vendor, asks whether to install.
#pragma once

#include "platform/framework.h"

class CWelcomeDlg : public CDialog {
 public:
  explicit CWelcomeDlg(CWnd* parent = nullptr);
  ~CWelcomeDlg() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOkButton();
  void OnCancelButton();

  DECLARE_MESSAGE_MAP()
};
