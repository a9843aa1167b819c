#include "ui/backdrop_dlg.h"

#include "resources/resource.h"

namespace {
constexpr os::COLORREF kBackColor = 0x880000;  // dark blue
constexpr os::COLORREF kTextColor = 0xFFFFFF;

// Height follows the screen's width and width its height, as the vendor's
// artwork was laid out.
os::HFONT MakeFont(int cx, int cy, int heightDivisor, int widthDivisor, bool underline, const char* face) {
  return os::CreateFontA(cx / heightDivisor, cy / widthDivisor, 0, 0, os::FW_EXTRABOLD, 0, underline ? 1 : 0, 0,
                         os::ANSI_CHARSET, os::OUT_DEVICE_PRECIS, os::CLIP_DEFAULT_PRECIS, os::PROOF_QUALITY,
                         os::FF_SWISS | os::VARIABLE_PITCH, face);
}

// Gives a static its font and place; one that got no font keeps both from
// the template.
void PlaceStatic(CDialog* dlg, CFont* font, os::HFONT handle, int id, int x, int y, int cx, int cy) {
  if (!font->Attach(handle)) return;
  const os::HWND control = dlg->GetDlgItem(id);
  os::MoveWindow(control, x, y, cx - 20, cy - 20, os::TRUE);
  os::SendMessageA(control, os::WM_SETFONT, reinterpret_cast<os::WPARAM>(font->m_hObject), 0);
}
}  // namespace

BEGIN_MESSAGE_MAP(CBackdropDlg, CDialog)
ON_WM_CTLCOLOR(CBackdropDlg)
ON_WM_DESTROY(CBackdropDlg)
END_MESSAGE_MAP()

CBackdropDlg::CBackdropDlg(CWnd* parent) : CDialog(IDD_BACKDROP, parent) {}
CBackdropDlg::~CBackdropDlg() = default;

void CBackdropDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

os::BOOL CBackdropDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const int cx = os::GetSystemMetrics(os::SM_CXSCREEN);
  const int cy = os::GetSystemMetrics(os::SM_CYSCREEN);
  os::MoveWindow(m_hWnd, 0, 0, cx, cy, os::TRUE);
  m_hBackBrush = os::CreateSolidBrush(kBackColor);
  PlaceStatic(this, &m_fontVendor, MakeFont(cx, cy, 20, 28, false, "KV_Font"), IDC_VENDOR, cx / 20, cy / 20, cx, cy);
  PlaceStatic(this, &m_fontTagline, MakeFont(cx, cy, 40, 56, true, "Logo_Font"), IDC_TAGLINE, cx / 20, cy / 8, cx,
              cy);
  return os::TRUE;
}

os::HBRUSH CBackdropDlg::OnCtlColor(os::HDC dc, os::HWND window, os::UINT kind) {
  CDialog::OnCtlColor(dc, window, kind);
  const int id = os::GetDlgCtrlID(window);
  if (id == IDC_VENDOR || id == IDC_TAGLINE) {
    os::SetTextColor(dc, kTextColor);
    os::SetBkColor(dc, kBackColor);
  }
  return m_hBackBrush;
}

void CBackdropDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_hBackBrush) os::DeleteObject(m_hBackBrush);
  m_hBackBrush = nullptr;
  m_fontVendor.DeleteObject();
  m_fontTagline.DeleteObject();
}
