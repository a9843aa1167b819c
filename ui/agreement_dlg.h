// The licence agreement, from the program's TEXT resource, to be agreed to.
#pragma once

#include "platform/framework.h"

class CAgreementDlg : public CDialog {
 public:
  explicit CAgreementDlg(CWnd* parent = nullptr);
  ~CAgreementDlg() override;

  CString m_strAgreement;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  os::BOOL OnInitDialog() override;
  void OnOkButton();
  void OnCancelButton();

 private:
  void ReportCorruption();

  DECLARE_MESSAGE_MAP()
};
