#include "ui/welcome_dlg.h"

#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CWelcomeDlg, CDialog)
ON_BN_CLICKED(CWelcomeDlg, IDC_OK_BUTTON, OnOkButton)
ON_BN_CLICKED(CWelcomeDlg, IDC_CANCEL_BUTTON, OnCancelButton)
END_MESSAGE_MAP()

CWelcomeDlg::CWelcomeDlg(CWnd* parent) : CDialog(IDD_WELCOME, parent) {}
CWelcomeDlg::~CWelcomeDlg() = default;

void CWelcomeDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }
void CWelcomeDlg::OnOkButton() { EndDialog(os::IDOK); }
void CWelcomeDlg::OnCancelButton() { EndDialog(os::IDCANCEL); }
