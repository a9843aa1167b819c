// The full-screen dark-blue backdrop behind every later window, with the
// vendor's name and tagline in white.
#pragma once

#include "platform/framework.h"

class CBackdropDlg : public CDialog {
 public:
  explicit CBackdropDlg(CWnd* parent = nullptr);
  ~CBackdropDlg() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  os::BOOL OnInitDialog() override;
  os::HBRUSH OnCtlColor(os::HDC dc, os::HWND window, os::UINT kind);
  void OnDestroy();

  CFont m_fontVendor;
  CFont m_fontTagline;
  os::HBRUSH m_hBackBrush = nullptr;

  DECLARE_MESSAGE_MAP()
};
