#include "platform/framework.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---- CString -----------------------------------------------------------------
namespace {
char g_emptyText[1] = {0};

char* Allocate(int length) {
  char* p = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (!p) std::abort();  // out of memory: nothing sensible is left to do
  return p;
}
}  // namespace

CString::CString() : m_pData(g_emptyText), m_nLength(0) {}
CString::CString(const char* text) : CString() { Assign(text, text ? static_cast<int>(std::strlen(text)) : 0); }
CString::CString(const char* text, int length) : CString() { Assign(text, text ? length : 0); }
CString::CString(const CString& other) : CString() { Assign(other.m_pData, other.m_nLength); }
CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_pData, other.m_nLength);
  return *this;
}
CString& CString::operator=(const char* text) {
  CString copy(text);  // text may point into this string
  return *this = copy;
}
CString::~CString() { Empty(); }

void CString::Empty() {
  if (m_pData != g_emptyText) std::free(m_pData);
  m_pData = g_emptyText;
  m_nLength = 0;
}

void CString::Assign(const char* text, int length) {
  char* p = Allocate(length);
  if (length > 0) std::memcpy(p, text, static_cast<size_t>(length));
  p[length] = 0;
  Empty();
  m_pData = p;
  m_nLength = length;
}

void CString::Append(const char* text, int length) {
  if (length <= 0) return;
  char* p = Allocate(m_nLength + length);
  std::memcpy(p, m_pData, static_cast<size_t>(m_nLength));
  std::memcpy(p + m_nLength, text, static_cast<size_t>(length));
  const int total = m_nLength + length;
  p[total] = 0;
  Empty();
  m_pData = p;
  m_nLength = total;
}

CString& CString::operator+=(const CString& other) {
  CString copy(other);
  Append(copy.m_pData, copy.m_nLength);
  return *this;
}
CString& CString::operator+=(const char* text) { return *this += CString(text); }
CString& CString::operator+=(char ch) { return *this += CString(&ch, 1); }
CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) { return a + CString(b); }
CString operator+(const char* a, const CString& b) { return CString(a) + b; }
bool CString::operator==(const char* text) const {
  const char* t = text ? text : "";
  return std::strlen(t) == static_cast<size_t>(m_nLength) && std::memcmp(m_pData, t, static_cast<size_t>(m_nLength)) == 0;
}

CString CString::Left(int count) const {
  if (count < 0) count = 0;
  if (count > m_nLength) count = m_nLength;
  return CString(m_pData, count);
}
CString CString::Mid(int first) const { return Mid(first, m_nLength); }
CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first > m_nLength) first = m_nLength;
  if (count < 0) count = 0;
  if (count > m_nLength - first) count = m_nLength - first;
  return CString(m_pData + first, count);
}
int CString::Find(char ch) const {
  const void* p = std::memchr(m_pData, ch, static_cast<size_t>(m_nLength));
  return p ? static_cast<int>(static_cast<const char*>(p) - m_pData) : -1;
}
int CString::Find(const char* text) const {
  const char* p = std::strstr(m_pData, text);
  return p ? static_cast<int>(p - m_pData) : -1;
}
int CString::ReverseFind(char ch) const {
  for (int i = m_nLength - 1; i >= 0; --i)
    if (m_pData[i] == ch) return i;
  return -1;
}
void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length < 0) {
    va_end(again);
    Empty();
    return;
  }
  char* p = Allocate(length);
  std::vsnprintf(p, static_cast<size_t>(length) + 1, format, again);
  va_end(again);
  Empty();
  m_pData = p;
  m_nLength = length;
}

// ---- window registry -------------------------------------------------------------
// Which framework object stands behind which window handle. A handful of
// windows at most, so a short list does.
namespace {
struct WindowLink {
  os::HWND hwnd;
  CWnd* wnd;
};
WindowLink g_links[16];
int g_nLinks = 0;
CWinApp* g_pApp = nullptr;

void Link(os::HWND hwnd, CWnd* wnd) {
  if (g_nLinks < static_cast<int>(sizeof g_links / sizeof g_links[0])) g_links[g_nLinks++] = {hwnd, wnd};
}
void Unlink(CWnd* wnd) {
  for (int i = 0; i < g_nLinks; ++i)
    if (g_links[i].wnd == wnd) g_links[i--] = g_links[--g_nLinks];
}
CWnd* FromHandle(os::HWND hwnd) {
  for (int i = 0; i < g_nLinks; ++i)
    if (g_links[i].hwnd == hwnd) return g_links[i].wnd;
  return nullptr;
}
}  // namespace

void AfxResetProcessState() {
  g_nLinks = 0;
  if (g_pApp) g_pApp->m_pMainWnd = nullptr;
}

// ---- CWnd ------------------------------------------------------------------------
const MsgMapEntry g_noEntries[] = {{0, 0, 0, MsgSig::v_v, nullptr, nullptr, nullptr}};
const MsgMap CWnd::messageMap = {nullptr, g_noEntries};
const MsgMap* CWnd::GetMessageMap() const { return &messageMap; }

// Only forgets the handle: a process that ends while a window is open does not
// run the window's handlers, and neither may its objects' destructors.
CWnd::~CWnd() { Unlink(this); }

os::BOOL CWnd::DestroyWindow() { return m_hWnd ? os::DestroyWindow(m_hWnd) : os::FALSE; }

os::HBRUSH CWnd::OnCtlColor(os::HDC, os::HWND, os::UINT) { return nullptr; }

namespace {
bool IsColorRequest(os::UINT msg) { return msg >= os::WM_CTLCOLORMSGBOX && msg <= os::WM_CTLCOLORSTATIC; }

const MsgMapEntry* FindEntry(const MsgMap* map, os::UINT msg, os::UINT id, os::UINT code) {
  const os::UINT key = IsColorRequest(msg) ? os::WM_CTLCOLORMSGBOX : msg;
  for (; map; map = map->base)
    for (const MsgMapEntry* e = map->entries; e->message; ++e)
      if (e->message == key && (key != os::WM_COMMAND || (e->id == id && e->code == code))) return e;
  return nullptr;
}
}  // namespace

bool CWnd::DispatchMapped(os::UINT msg, os::WPARAM w, os::LPARAM l, os::INT_PTR* result) {
  const os::UINT id = msg == os::WM_COMMAND ? os::LOWORD(w) : 0;
  const os::UINT code = msg == os::WM_COMMAND ? os::HIWORD(w) : 0;
  const MsgMapEntry* e = FindEntry(GetMessageMap(), msg, id, code);
  if (!e) return false;
  switch (e->sig) {
    case MsgSig::v_v:
      m_bDefault = false;
      (this->*(e->handler))();
      *result = m_bDefault ? os::FALSE : os::TRUE;
      break;
    case MsgSig::ctlcolor:
      *result = reinterpret_cast<os::INT_PTR>((this->*(e->ctlColor))(
          reinterpret_cast<os::HDC>(w), reinterpret_cast<os::HWND>(l), msg - os::WM_CTLCOLORMSGBOX));
      break;
    case MsgSig::query_icon:
      *result = reinterpret_cast<os::INT_PTR>((this->*(e->queryIcon))());
      break;
  }
  return true;
}

// ---- data exchange -----------------------------------------------------------------
void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  const os::HWND dlg = pDX->m_pDlgWnd->m_hWnd;
  if (!pDX->m_bSaveAndValidate) {
    os::SetDlgItemTextA(dlg, id, value);
    return;
  }
  const os::HWND ctl = os::GetDlgItem(dlg, id);
  const int length = ctl ? os::GetWindowTextLengthA(ctl) : 0;
  char* buffer = static_cast<char*>(std::calloc(static_cast<size_t>(length) + 1, 1));
  if (!buffer) std::abort();
  if (ctl) os::GetWindowTextA(ctl, buffer, length + 1);
  value = buffer;
  std::free(buffer);
}

// ---- CDialog -------------------------------------------------------------------------
const MsgMap CDialog::messageMap = {&CWnd::messageMap, g_noEntries};
const MsgMap* CDialog::GetMessageMap() const { return &messageMap; }

CDialog::CDialog(unsigned templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
CDialog::~CDialog() = default;

os::INT_PTR CDialog::DoModal() {
  // Without a parent the owner is the main window, or, while the application
  // has none, the active window; the dialog manager disables it meanwhile.
  os::HWND owner = nullptr;
  if (m_pParentWnd) {
    owner = m_pParentWnd->m_hWnd;
  } else if (CWnd* main = AfxGetMainWnd()) {
    owner = main == this ? nullptr : main->m_hWnd;
  } else {
    owner = os::GetActiveWindow();
  }
  return os::DialogBoxParamA(AfxGetResourceHandle(), os::MAKEINTRESOURCEA(m_nIDTemplate), owner, &DialogProc,
                             reinterpret_cast<os::LPARAM>(this));
}

os::BOOL CDialog::Create(unsigned templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  const os::HWND hwnd = os::CreateDialogParamA(AfxGetResourceHandle(), os::MAKEINTRESOURCEA(templateId),
                                               parent ? parent->m_hWnd : nullptr, &DialogProc,
                                               reinterpret_cast<os::LPARAM>(this));
  return hwnd != nullptr;
}

void CDialog::EndDialog(int result) { os::EndDialog(m_hWnd, result); }

void CDialog::CenterWindow() {
  os::RECT self{};
  if (!os::GetWindowRect(m_hWnd, &self)) return;
  os::RECT area = {0, 0, os::GetSystemMetrics(os::SM_CXSCREEN), os::GetSystemMetrics(os::SM_CYSCREEN)};
  const os::HWND owner = os::GetWindow(m_hWnd, os::GW_OWNER);
  if (owner) os::GetWindowRect(owner, &area);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  os::MoveWindow(m_hWnd, x, y, width, height, os::FALSE);
}

os::BOOL CDialog::UpdateData(os::BOOL save) {
  CDataExchange dx(this, save != os::FALSE);
  DoDataExchange(&dx);
  return os::TRUE;
}

os::BOOL CDialog::OnInitDialog() {
  UpdateData(os::FALSE);
  return os::TRUE;
}
void CDialog::DoDataExchange(CDataExchange*) {}
void CDialog::OnOK() {
  if (UpdateData(os::TRUE)) EndDialog(os::IDOK);
}
void CDialog::OnCancel() { EndDialog(os::IDCANCEL); }

os::INT_PTR OS_WINAPI CDialog::DialogProc(os::HWND hwnd, os::UINT msg, os::WPARAM w, os::LPARAM l) {
  CDialog* self = nullptr;
  if (msg == os::WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(l);
    self->m_hWnd = hwnd;
    Link(hwnd, self);
  } else {
    self = static_cast<CDialog*>(FromHandle(hwnd));
  }
  return self ? self->HandleMessage(msg, w, l) : os::FALSE;
}

os::INT_PTR CDialog::HandleMessage(os::UINT msg, os::WPARAM w, os::LPARAM l) {
  os::INT_PTR result = os::FALSE;
  switch (msg) {
    case os::WM_INITDIALOG: {
      os::RECT before{};
      os::GetWindowRect(m_hWnd, &before);
      const os::INT_PTR focus = OnInitDialog();
      os::RECT after{};
      // A dialog its set-up did not place goes to the middle of its owner.
      if (os::IsWindow(m_hWnd) && os::GetWindowRect(m_hWnd, &after) && after.left == before.left &&
          after.top == before.top && after.right == before.right && after.bottom == before.bottom)
        CenterWindow();
      return focus;
    }
    case os::WM_COMMAND:
      return OnCommand(w, l) ? os::TRUE : os::FALSE;
    case os::WM_NCDESTROY:
      Unlink(this);
      if (AfxGetMainWnd() == this) g_pApp->m_pMainWnd = nullptr;
      m_hWnd = nullptr;
      return os::FALSE;
    default:
      return DispatchMapped(msg, w, l, &result) ? result : os::FALSE;
  }
}

bool CDialog::OnCommand(os::WPARAM w, os::LPARAM l) {
  os::INT_PTR result = 0;
  if (DispatchMapped(os::WM_COMMAND, w, l, &result)) return true;
  switch (os::LOWORD(w)) {
    case os::IDOK:
      OnOK();
      return true;
    case os::IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

// ---- GDI wrappers --------------------------------------------------------------------
os::BOOL CFont::Attach(os::HFONT font) {
  if (!font) return os::FALSE;
  m_hObject = font;
  return os::TRUE;
}
os::BOOL CFont::DeleteObject() {
  if (!m_hObject) return os::FALSE;
  const os::BOOL ok = os::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return ok;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd), m_ps() { m_hDC = os::BeginPaint(m_hWnd, &m_ps); }
CPaintDC::~CPaintDC() { os::EndPaint(m_hWnd, &m_ps); }

// ---- CWinApp --------------------------------------------------------------------------
const MsgMap CWinApp::messageMap = {nullptr, g_noEntries};
const MsgMap* CWinApp::GetMessageMap() const { return &messageMap; }

CWinApp::CWinApp(const char* appName) : m_pszGivenName(appName) { g_pApp = this; }
CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

os::BOOL CWinApp::InitApplication() { return os::TRUE; }
os::BOOL CWinApp::InitInstance() { return os::TRUE; }
int CWinApp::ExitInstance() { return 0; }
// The program's dialogs run their own modal loops; an application that asks
// for a message loop after InitInstance gets none beyond them.
int CWinApp::Run() { return ExitInstance(); }

os::BOOL CWinApp::Enable3dControlsStatic() {
  // Every 32-bit Windows draws its controls three-dimensional itself, so there
  // is nothing to switch on; FALSE says that no CTL3D library was loaded.
  return os::FALSE;
}

int CWinApp::DoMessageBox(const char* text, os::UINT type, os::UINT) {
  CWnd* main = m_pMainWnd;
  return os::MessageBoxA(main ? main->m_hWnd : nullptr, text, m_strAppName, type);
}

CWinApp* AfxGetApp() { return g_pApp; }
CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }
os::HINSTANCE AfxGetResourceHandle() { return g_pApp ? g_pApp->m_hInstance : nullptr; }
int AfxMessageBox(const char* text, os::UINT type, os::UINT helpContext) {
  return g_pApp ? g_pApp->DoMessageBox(text, type, helpContext) : os::MessageBoxA(nullptr, text, "", type);
}

namespace {
// The application's name: the executable's file name without its extension.
CString ModuleBaseName(os::HINSTANCE module) {
  char path[260] = {0};
  os::GetModuleFileNameA(module, path, sizeof path);
  CString name(path);
  const int slash = name.ReverseFind('\\');
  name = name.Mid(slash + 1);
  const int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}
}  // namespace

int AfxWinMain() {
  CWinApp* app = g_pApp;
  if (!app) return -1;
  app->m_hInstance = os::GetModuleHandleA(nullptr);
  app->m_strAppName = app->m_pszGivenName ? CString(app->m_pszGivenName) : ModuleBaseName(app->m_hInstance);
  if (!app->InitApplication()) return app->ExitInstance();
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
