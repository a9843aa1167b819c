#include "ui/agreement_dlg.h"

#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CAgreementDlg, CDialog)
ON_BN_CLICKED(CAgreementDlg, IDC_OK_BUTTON, OnOkButton)
ON_BN_CLICKED(CAgreementDlg, IDC_CANCEL_BUTTON, OnCancelButton)
END_MESSAGE_MAP()

CAgreementDlg::CAgreementDlg(CWnd* parent) : CDialog(IDD_AGREEMENT, parent), m_strAgreement("") {}
CAgreementDlg::~CAgreementDlg() = default;

void CAgreementDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_AGREEMENT_TEXT, m_strAgreement);
}

// A damaged setup file still lets the user install: the box says so, and the
// dialog ends as if agreed.
void CAgreementDlg::ReportCorruption() {
  os::MessageBoxA(m_hWnd, "Setup file is corrupted!", "ERROR", os::MB_ICONERROR);
  EndDialog(os::IDOK);
}

os::BOOL CAgreementDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const os::HINSTANCE module = AfxGetResourceHandle();
  const os::HRSRC found = os::FindResourceA(module, os::MAKEINTRESOURCEA(IDR_AGREEMENT), "Text");
  const os::HGLOBAL loaded = found ? os::LoadResource(module, found) : nullptr;
  if (!loaded) {
    ReportCorruption();
    return os::TRUE;
  }
  const os::DWORD size = os::SizeofResource(module, found);
  const char* bytes = static_cast<const char*>(os::LockResource(loaded));
  if (!bytes || size == 0) {
    ReportCorruption();
    return os::TRUE;
  }
  m_strAgreement = CString(bytes, static_cast<int>(size));
  UpdateData(os::FALSE);
  return os::TRUE;
}

void CAgreementDlg::OnOkButton() { EndDialog(os::IDOK); }
void CAgreementDlg::OnCancelButton() { EndDialog(os::IDCANCEL); }
