#include "ui/install_dlg.h"

#include <cstring>

#include "product/product.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CInstallDlg, CDialog)
ON_WM_PAINT(CInstallDlg)
ON_WM_QUERYDRAGICON(CInstallDlg)
ON_EN_CHANGE(CInstallDlg, IDC_TARGET_DIR, OnChangeTargetDir)
ON_BN_CLICKED(CInstallDlg, IDC_BROWSE, OnBrowse)
ON_BN_CLICKED(CInstallDlg, IDC_CANCEL_BUTTON, OnCancelInstall)
ON_BN_CLICKED(CInstallDlg, IDC_INSTALL, OnInstall)
END_MESSAGE_MAP()

CInstallDlg::CInstallDlg(CWnd* parent)
    : CDialog(IDD_INSTALL, parent),
      m_hIcon(os::LoadIconA(AfxGetResourceHandle(), os::MAKEINTRESOURCEA(IDI_APP))) {}

CInstallDlg::~CInstallDlg() = default;

void CInstallDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TARGET_DIR, m_strTargetDir);
  DDX_Text(pDX, IDC_STATUS, m_strStatus);
}

namespace {
// "ProgramFilesDir" followed by the product folder, or false when the value
// cannot be read or does not fit a path buffer.
bool ReadProgramFilesDir(CString* dir) {
  os::HKEY key = nullptr;
  if (os::RegOpenKeyExA(os::HKEY_LOCAL_MACHINE, product::kCurrentVersionKey, 0, os::KEY_READ, &key) != 0)
    return false;
  char buffer[product::kPathBuffer] = {0};
  os::DWORD type = 0;
  os::DWORD size = sizeof buffer;
  const os::LONG rc = os::RegQueryValueExA(key, product::kProgramFilesValue, nullptr, &type,
                                           reinterpret_cast<os::BYTE*>(buffer), &size);
  os::RegCloseKey(key);
  if (rc != 0) return false;
  buffer[sizeof buffer - 1] = 0;  // a value stored without its zero must not run on
  *dir = CString(buffer) + product::kFolderSuffix;
  return true;
}

// The shell's Programs folder of the Start menu, when it can name it.
bool ReadProgramsFolder(CString* dir) {
  os::LPITEMIDLIST list = nullptr;
  if (os::SHGetSpecialFolderLocation(nullptr, os::CSIDL_PROGRAMS, &list) != 0) return false;
  char path[product::kPathBuffer] = {0};
  const os::BOOL ok = os::SHGetPathFromIDListA(list, path);
  os::CoTaskMemFree(list);
  if (!ok) return false;
  *dir = path;
  return true;
}
}  // namespace

os::BOOL CInstallDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SendMessage(os::WM_SETICON, os::ICON_BIG, reinterpret_cast<os::LPARAM>(m_hIcon));
  SendMessage(os::WM_SETICON, os::ICON_SMALL, reinterpret_cast<os::LPARAM>(m_hIcon));
  m_strProductName = product::kName;
  m_bCancelRequested = 0;
  SetWindowText(CString(product::kInstallCaptionPrefix) + product::kTitleWithVersion);
  SetStatus("Stand by:\r\nChecking system parameters...");

  g_strInstallDir = product::kDefaultInstallDir;
  CString programFiles;
  if (ReadProgramFilesDir(&programFiles)) g_strInstallDir = programFiles;
  m_strTargetDir = g_strInstallDir;
  os::SetDlgItemTextA(m_hWnd, IDC_TARGET_DIR, m_strTargetDir);

  g_strProgramsGroupDir = CString(product::kDefaultProgramsDir) + product::kFolderSuffix;
  CString programs;
  if (ReadProgramsFolder(&programs)) g_strProgramsGroupDir = programs + product::kFolderSuffix;

  if (os::CoInitialize(nullptr) != 0) {
    ShowError(true, "Can't initialize Component Object Module");
    EndDialog(os::IDCANCEL);
    return os::TRUE;
  }

  SetStatus("Stand by:\r\nChecking for previous installations...");
  if (FindPreviousInstallation(false)) {
    const CString question = CString("This will overwrite any previous installation:\r\n\r\n") +
                             "Are you sure you want to continue installing Testanza?";
    if (os::MessageBoxA(m_hWnd, question, "Note", os::MB_YESNO | os::MB_ICONWARNING) != os::IDYES) os::exit(0);
    SetStatus("Removing previous versions...");
    FindPreviousInstallation(true);
  }

  m_strStatus.Format("To install %s, at least\r\n%d Kb of free disk space is required.", product::kName,
                     product::kMinFreeKb);
  os::SetDlgItemTextA(m_hWnd, IDC_STATUS, m_strStatus);
  return os::TRUE;
}

void CInstallDlg::SetStatus(const char* text) {
  m_strStatus = text;
  os::SetDlgItemTextA(m_hWnd, IDC_STATUS, m_strStatus);
}

void CInstallDlg::ShowError(bool abort, CString message) {
  if (abort) message += " - aborting installation";
  os::MessageBoxA(m_hWnd, message, "ERROR", abort ? os::MB_ICONWARNING : os::MB_ICONINFORMATION);
}

void CInstallDlg::OnChangeTargetDir() { UpdateData(os::TRUE); }

void CInstallDlg::OnBrowse() {
  char path[product::kPathBuffer] = {0};
  os::BROWSEINFOA info = {};
  CWnd* main = AfxGetMainWnd();
  info.hwndOwner = main ? main->m_hWnd : nullptr;
  info.pidlRoot = nullptr;
  info.pszDisplayName = path;
  info.lpszTitle = product::kBrowseTitle;
  info.ulFlags = os::BIF_RETURNONLYFSDIRS;
  info.lpfn = nullptr;
  const os::LPITEMIDLIST list = os::SHBrowseForFolderA(&info);
  if (!list) return;
  const os::BOOL ok = os::SHGetPathFromIDListA(list, path);
  os::CoTaskMemFree(list);
  if (!ok) return;
  if (!std::strstr(path, m_strProductName)) {
    // Our choice for a path with no room left for the suffix: keep the old
    // folder and say why, instead of writing past the buffer.
    if (std::strlen(path) + std::strlen(product::kFolderSuffix) >= sizeof path) {
      ShowError(false, "The folder path is too long. Please choose a shorter path.");
      return;
    }
    os::lstrcatA(path, product::kFolderSuffix);
  }
  m_strTargetDir = path;
  os::SetDlgItemTextA(m_hWnd, IDC_TARGET_DIR, m_strTargetDir);
}

void CInstallDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(os::WM_ICONERASEBKGND, reinterpret_cast<os::WPARAM>(dc.m_hDC), 0);
  const int cxIcon = os::GetSystemMetrics(os::SM_CXICON);
  const int cyIcon = os::GetSystemMetrics(os::SM_CYICON);
  os::RECT rect;
  os::GetClientRect(m_hWnd, &rect);
  const int x = (rect.right - rect.left - cxIcon + 1) / 2;
  const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
  os::DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

os::HCURSOR CInstallDlg::OnQueryDragIcon() { return m_hIcon; }
