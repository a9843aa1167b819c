// Our small application framework: a counted string, an application object
// with two start-up hooks, dialogs from resource templates with message maps
// and text data exchange. It is written against os.h only, so the very same
// code runs on Windows and on the simulated machine.
#pragma once

#include "platform/os.h"

// ---- CString -----------------------------------------------------------------
// Counted 8-bit string. Never fails short of memory exhaustion, which ends the
// process: a setup program has no better answer to it.
class CString {
 public:
  CString();
  CString(const char* text);  // NOLINT: implicit like the Windows framework's
  CString(const char* text, int length);
  CString(const CString& other);
  CString& operator=(const CString& other);
  CString& operator=(const char* text);
  ~CString();

  int GetLength() const { return m_nLength; }
  bool IsEmpty() const { return m_nLength == 0; }
  void Empty();
  operator const char*() const { return m_pData; }
  const char* c_str() const { return m_pData; }
  char operator[](int index) const { return m_pData[index]; }

  CString& operator+=(const CString& other);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  bool operator==(const char* text) const;
  bool operator!=(const char* text) const { return !(*this == text); }

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  int Find(char ch) const;
  int Find(const char* text) const;
  int ReverseFind(char ch) const;
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  void Assign(const char* text, int length);
  void Append(const char* text, int length);

  char* m_pData;
  int m_nLength;
};

// ---- windows and dialogs -------------------------------------------------------
class CWnd;
class CDataExchange;

// Message-map entries: one message (and, for WM_COMMAND, one control id and
// notification) bound to a member handler of a given shape.
enum class MsgSig { v_v, ctlcolor, query_icon };
typedef void (CWnd::*MsgHandler)();
typedef os::HBRUSH (CWnd::*CtlColorHandler)(os::HDC, os::HWND, os::UINT);
typedef os::HCURSOR (CWnd::*QueryIconHandler)();
struct MsgMapEntry {
  os::UINT message;
  os::UINT id;    // WM_COMMAND only
  os::UINT code;  // WM_COMMAND only
  MsgSig sig;     // which one of the handlers below is set
  MsgHandler handler;
  CtlColorHandler ctlColor;
  QueryIconHandler queryIcon;
};
struct MsgMap {
  const MsgMap* base;
  const MsgMapEntry* entries;  // ends with an entry whose message is 0
};

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();
  virtual const MsgMap* GetMessageMap() const;

  os::HWND GetSafeHwnd() const { return m_hWnd; }
  os::HWND GetDlgItem(int id) const { return os::GetDlgItem(m_hWnd, id); }
  void SetWindowText(const char* text) { os::SetWindowTextA(m_hWnd, text); }
  os::BOOL ShowWindow(int command) { return os::ShowWindow(m_hWnd, command); }
  os::LRESULT SendMessage(os::UINT msg, os::WPARAM w = 0, os::LPARAM l = 0) {
    return os::SendMessageA(m_hWnd, msg, w, l);
  }
  os::BOOL IsIconic() const { return os::IsIconic(m_hWnd); }
  os::BOOL DestroyWindow();

  // Default handlers the framework runs when a map has none of its own.
  os::HBRUSH OnCtlColor(os::HDC dc, os::HWND window, os::UINT kind);
  void OnDestroy() {}
  void OnPaint() { Default(); }
  // Leaves the message being handled to the system's own dialog handling.
  void Default() { m_bDefault = true; }

  os::HWND m_hWnd = nullptr;

 protected:
  static const MsgMap messageMap;
  bool m_bDefault = false;
  // Looks the message up in the maps of this class and its bases; true when a
  // handler ran, with what the dialog procedure must return in *result.
  bool DispatchMapped(os::UINT msg, os::WPARAM w, os::LPARAM l, os::INT_PTR* result);
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, bool save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}
  CWnd* m_pDlgWnd;
  bool m_bSaveAndValidate;
};
// Binds a control's text to a string, in the direction the exchange says.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

class CDialog : public CWnd {
 public:
  explicit CDialog(unsigned templateId, CWnd* parent = nullptr);
  ~CDialog() override;
  const MsgMap* GetMessageMap() const override;

  // Runs the dialog modally: IDOK, IDCANCEL, the EndDialog code, or -1 when
  // the dialog cannot be created.
  virtual os::INT_PTR DoModal();
  // Creates the dialog modeless; false when the window could not be made.
  os::BOOL Create(unsigned templateId, CWnd* parent = nullptr);
  void EndDialog(int result);
  // Puts the dialog in the middle of its owner, or of the screen.
  void CenterWindow();
  os::BOOL UpdateData(os::BOOL save = os::TRUE);

  virtual os::BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual void OnOK();
  virtual void OnCancel();

 protected:
  static const MsgMap messageMap;
  unsigned m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  static os::INT_PTR OS_WINAPI DialogProc(os::HWND hwnd, os::UINT msg, os::WPARAM w, os::LPARAM l);
  os::INT_PTR HandleMessage(os::UINT msg, os::WPARAM w, os::LPARAM l);
  bool OnCommand(os::WPARAM w, os::LPARAM l);
};

// ---- GDI wrappers ----------------------------------------------------------------
// Owns one font handle; deletes it once, on DeleteObject or destruction.
class CFont {
 public:
  CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;
  ~CFont() { DeleteObject(); }
  os::BOOL Attach(os::HFONT font);
  os::BOOL DeleteObject();
  os::HFONT GetSafeHandle() const { return m_hObject; }
  os::HFONT m_hObject = nullptr;
};

// The paint context of one WM_PAINT: BeginPaint now, EndPaint on scope exit.
class CPaintDC {
 public:
  explicit CPaintDC(CWnd* window);
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  ~CPaintDC();
  os::HDC m_hDC;

 private:
  os::HWND m_hWnd;
  os::PAINTSTRUCT m_ps;
};

// ---- application ---------------------------------------------------------------
class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();
  virtual const MsgMap* GetMessageMap() const;
  virtual os::BOOL InitInstance();
  virtual os::BOOL InitApplication();
  virtual int ExitInstance();
  virtual int Run();

  os::BOOL Enable3dControlsStatic();
  // The application message box: owned by the main window if there is one,
  // captioned with the application's name.
  int DoMessageBox(const char* text, os::UINT type, os::UINT helpContext);

  CString m_strAppName;
  CWnd* m_pMainWnd = nullptr;
  os::HINSTANCE m_hInstance = nullptr;

 protected:
  static const MsgMap messageMap;

 public:
  const char* m_pszGivenName;  // null: named after the executable
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
os::HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(const char* text, os::UINT type = os::MB_OK, os::UINT helpContext = 0);
// The process: the application object's hooks, then its exit routine.
int AfxWinMain();
// A run of the process starts from here: forgets the windows and the main
// window of any earlier run (the simulated machine runs many in one program).
void AfxResetProcessState();

// ---- message maps ----------------------------------------------------------------
#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const MsgMap messageMap;               \
  static const MsgMapEntry messageEntries[];    \
                                                \
 public:                                        \
  const MsgMap* GetMessageMap() const override; \
                                                \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                    \
  const MsgMap* theClass::GetMessageMap() const { return &theClass::messageMap; } \
  const MsgMap theClass::messageMap = {&baseClass::messageMap, theClass::messageEntries}; \
  const MsgMapEntry theClass::messageEntries[] = {
#define END_MESSAGE_MAP() \
  { 0, 0, 0, MsgSig::v_v, nullptr, nullptr, nullptr }                   \
  }                                                                     \
  ;

#define ON_COMMAND_CODE(theClass, id, code, fn) \
  {os::WM_COMMAND, (id), (code), MsgSig::v_v, static_cast<MsgHandler>(&theClass::fn), nullptr, nullptr},
#define ON_BN_CLICKED(theClass, id, fn) ON_COMMAND_CODE(theClass, id, os::BN_CLICKED, fn)
#define ON_EN_CHANGE(theClass, id, fn) ON_COMMAND_CODE(theClass, id, os::EN_CHANGE, fn)
#define ON_MESSAGE_VOID(theClass, msg, fn) \
  {(msg), 0, 0, MsgSig::v_v, static_cast<MsgHandler>(&theClass::fn), nullptr, nullptr},
#define ON_WM_PAINT(theClass) ON_MESSAGE_VOID(theClass, os::WM_PAINT, OnPaint)
#define ON_WM_DESTROY(theClass) ON_MESSAGE_VOID(theClass, os::WM_DESTROY, OnDestroy)
// One entry stands for every colour request (WM_CTLCOLORMSGBOX..STATIC).
#define ON_WM_CTLCOLOR(theClass)                                                              \
  {os::WM_CTLCOLORMSGBOX, 0, 0, MsgSig::ctlcolor, nullptr,                                    \
   static_cast<CtlColorHandler>(static_cast<os::HBRUSH (theClass::*)(os::HDC, os::HWND, os::UINT)>( \
       &theClass::OnCtlColor)),                                                               \
   nullptr},
#define ON_WM_QUERYDRAGICON(theClass)                                          \
  {os::WM_QUERYDRAGICON, 0, 0, MsgSig::query_icon, nullptr, nullptr,            \
   static_cast<QueryIconHandler>(static_cast<os::HCURSOR (theClass::*)()>(&theClass::OnQueryDragIcon))},
