// Operating-system services, shaped like the Windows and C run-time calls the
// program makes: same names, arguments, results and error codes. Two back ends
// implement them: platform/win32 forwards to the real calls, platform/sim acts
// on a simulated machine. Nothing outside platform/ includes a system header.
//
// Everything lives in namespace os, so a back end that also includes
// <windows.h> must include this header first: the Windows macros (WM_COMMAND,
// HKEY_LOCAL_MACHINE, ...) would otherwise rewrite the names declared here.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define OS_WINAPI __stdcall
#else
#define OS_WINAPI
#endif

namespace os {

// ---- basic types -----------------------------------------------------------
typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;
typedef INT_PTR LPARAM;
typedef INT_PTR LRESULT;
typedef LONG HRESULT;
typedef DWORD COLORREF;
typedef char16_t WCHAR;
typedef int64_t time_t;  // widened by the back end where the C library's is narrower

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

#define OS_DECLARE_HANDLE(name) \
  struct name##__;              \
  typedef name##__* name
OS_DECLARE_HANDLE(HWND);
OS_DECLARE_HANDLE(HINSTANCE);
OS_DECLARE_HANDLE(HICON);
OS_DECLARE_HANDLE(HBRUSH);
OS_DECLARE_HANDLE(HFONT);
OS_DECLARE_HANDLE(HDC);
OS_DECLARE_HANDLE(HKEY);
OS_DECLARE_HANDLE(HRSRC);
#undef OS_DECLARE_HANDLE
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;

typedef INT_PTR(OS_WINAPI* FARPROC)();
typedef INT_PTR(OS_WINAPI* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
  LONG left, top, right, bottom;
};
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
struct SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
struct FILETIME {
  DWORD dwLowDateTime, dwHighDateTime;
};
struct ULARGE_INTEGER {
  uint64_t QuadPart;
};
struct GUID {
  uint32_t Data1;
  uint16_t Data2, Data3;
  uint8_t Data4[8];
};
typedef GUID CLSID;
typedef GUID IID;

struct ITEMIDLIST;  // opaque: only passed from one shell call to the next
typedef ITEMIDLIST* LPITEMIDLIST;
typedef int(OS_WINAPI* BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);
struct BROWSEINFOA {
  HWND hwndOwner;
  const ITEMIDLIST* pidlRoot;
  char* pszDisplayName;
  const char* lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};

struct FILE;  // a C run-time stream

// What _findfirst/_findnext report of one directory entry.
struct FindData {
  unsigned attrib;
  uint32_t size;
  char name[260];
};

// GetDiskFreeSpaceExA, looked up at run time with GetProcAddress.
typedef BOOL(OS_WINAPI* PFN_GetDiskFreeSpaceExA)(const char* root, ULARGE_INTEGER* availableToCaller,
                                                  ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree);

inline const char* MAKEINTRESOURCEA(unsigned id) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(const char* p) { return (reinterpret_cast<uintptr_t>(p) >> 16) == 0; }
inline WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16); }
inline HKEY PredefinedKey(uint32_t v) { return reinterpret_cast<HKEY>(static_cast<uintptr_t>(v)); }
inline const HKEY HKEY_LOCAL_MACHINE = PredefinedKey(0x80000002u);
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

// ---- constants -------------------------------------------------------------
constexpr UINT WM_DESTROY = 0x0002, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ICONERASEBKGND = 0x0027,
               WM_SETFONT = 0x0030, WM_QUERYDRAGICON = 0x0037, WM_SETICON = 0x0080, WM_NCDESTROY = 0x0082,
               WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112,
               WM_CTLCOLORMSGBOX = 0x0132, WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORLISTBOX = 0x0134,
               WM_CTLCOLORBTN = 0x0135, WM_CTLCOLORDLG = 0x0136, WM_CTLCOLORSCROLLBAR = 0x0137,
               WM_CTLCOLORSTATIC = 0x0138, WM_USER = 0x0400;
constexpr UINT CTLCOLOR_MSGBOX = 0, CTLCOLOR_EDIT = 1, CTLCOLOR_LISTBOX = 2, CTLCOLOR_BTN = 3, CTLCOLOR_DLG = 4,
               CTLCOLOR_SCROLLBAR = 5, CTLCOLOR_STATIC = 6;
constexpr UINT BN_CLICKED = 0, EN_CHANGE = 0x0300;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;
constexpr UINT MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04, MB_ICONERROR = 0x10,
               MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5;
constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXICON = 11, SM_CYICON = 12;
constexpr UINT GW_OWNER = 4;
constexpr WPARAM ICON_SMALL = 0, ICON_BIG = 1;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD ES_MULTILINE = 0x4, ES_READONLY = 0x800;

constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008, DELETE = 0x00010000, KEY_READ = 0x20019, KEY_WRITE = 0x20006;
constexpr DWORD REG_NONE = 0, REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0, REG_CREATED_NEW_KEY = 1, REG_OPENED_EXISTING_KEY = 2;

constexpr LONG ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2, ERROR_PATH_NOT_FOUND = 3, ERROR_ACCESS_DENIED = 5,
               ERROR_INVALID_HANDLE = 6, ERROR_NOT_ENOUGH_MEMORY = 8, ERROR_INVALID_PARAMETER = 87,
               ERROR_SHARING_VIOLATION = 32, ERROR_ALREADY_EXISTS = 183, ERROR_MORE_DATA = 234,
               ERROR_NO_MORE_ITEMS = 259, ERROR_BADKEY = 1010, ERROR_CANTOPEN = 1011, ERROR_MOD_NOT_FOUND = 126,
               ERROR_PROC_NOT_FOUND = 127;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01, FILE_ATTRIBUTE_DIRECTORY = 0x10, FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD GENERIC_READ = 0x80000000u, GENERIC_WRITE = 0x40000000u, OPEN_EXISTING = 3;
constexpr unsigned _A_RDONLY = 0x01, _A_SUBDIR = 0x10;

constexpr UINT CP_ACP = 0;
constexpr int CSIDL_DESKTOP = 0x0000, CSIDL_PROGRAMS = 0x0002;
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u), E_NOINTERFACE = static_cast<HRESULT>(0x80004002u),
                  REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u),
                  STG_E_ACCESSDENIED = static_cast<HRESULT>(0x80030005u);
constexpr DWORD VIFF_FORCEINSTALL = 0x1;
constexpr DWORD VIF_CANNOTREADSRC = 0x00010000, VIF_WRITEPROT = 0x0040, VIF_CANNOTCREATE = 0x00000800;

constexpr int FW_EXTRABOLD = 800;
constexpr DWORD ANSI_CHARSET = 0, OUT_DEVICE_PRECIS = 5, CLIP_DEFAULT_PRECIS = 0, PROOF_QUALITY = 2,
                VARIABLE_PITCH = 2, FF_SWISS = 0x20;

extern const CLSID CLSID_ShellLink;   // {00021401-0000-0000-C000-000000000046}
extern const IID IID_IShellLinkA;     // {000214EE-0000-0000-C000-000000000046}
extern const IID IID_IPersistFile;    // {0000010B-0000-0000-C000-000000000046}
bool IsEqualGUID(const GUID& a, const GUID& b);

// ---- COM interfaces the program uses ---------------------------------------
// Our own abstract shapes; each back end supplies objects behind them.
struct IUnknown {
  virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};
struct IPersistFile : IUnknown {
  virtual HRESULT Save(const WCHAR* fileName, BOOL remember) = 0;

 protected:
  ~IPersistFile() = default;
};
struct IShellLinkA : IUnknown {
  virtual HRESULT SetDescription(const char* text) = 0;
  virtual HRESULT SetIconLocation(const char* path, int index) = 0;
  virtual HRESULT SetPath(const char* path) = 0;
  virtual HRESULT SetWorkingDirectory(const char* dir) = 0;
  virtual HRESULT SetShowCmd(int showCmd) = 0;

 protected:
  ~IShellLinkA() = default;
};

// ---- kernel32 ----------------------------------------------------------------
HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
HMODULE GetModuleHandleA(const char* name);
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
DWORD GetLastError();
void SetLastError(DWORD code);
HANDLE CreateMutexA(void* securityAttributes, BOOL initialOwner, const char* name);
BOOL ReleaseMutex(HANDLE mutex);
BOOL CloseHandle(HANDLE handle);
HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL data);
HANDLE CreateFileA(const char* name, DWORD access, DWORD shareMode, void* securityAttributes, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL SetFileTime(HANDLE file, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite);
void GetLocalTime(SYSTEMTIME* time);
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
UINT GetWindowsDirectoryA(char* buffer, UINT size);
BOOL SetFileAttributesA(const char* name, DWORD attributes);
BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectorsPerCluster, DWORD* bytesPerSector, DWORD* freeClusters,
                       DWORD* totalClusters);
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* wide, int wideSize);
char* lstrcpyA(char* dest, const char* src);
char* lstrcatA(char* dest, const char* src);
int lstrlenA(const char* text);

// ---- user32 and gdi32 --------------------------------------------------------
INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param);
HWND CreateDialogParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL DestroyWindow(HWND window);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size);
BOOL SetWindowTextA(HWND window, const char* text);
int GetWindowTextA(HWND window, char* buffer, int size);
int GetWindowTextLengthA(HWND window);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND FindWindowA(const char* className, const char* title);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
int GetSystemMetrics(int index);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND window, int command);
BOOL IsIconic(HWND window);
BOOL IsWindow(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
HWND GetActiveWindow();
BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect);
HWND GetWindow(HWND window, UINT relation);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
HICON LoadIconA(HINSTANCE instance, const char* name);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, const char* face);
BOOL DeleteObject(HGDIOBJ object);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);

// ---- advapi32 ----------------------------------------------------------------
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                     DWORD access, void* securityAttributes, HKEY* result, DWORD* disposition);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, char* className,
                   DWORD* classSize, FILETIME* lastWriteTime);
LONG RegDeleteKeyA(HKEY key, const char* subKey);
LONG RegCloseKey(HKEY key);

// ---- shell32 and ole32 -------------------------------------------------------
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* list);
BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path);
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info);
void CoTaskMemFree(void* memory);
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand);
HRESULT CoInitialize(void* reserved);
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object);

// ---- version.dll (loaded at run time from the system folder) ----------------
DWORD VerInstallFileA(DWORD flags, const char* srcFile, const char* destFile, const char* srcDir,
                      const char* destDir, const char* curDir, char* tmpFile, UINT* tmpFileLen);

// ---- C run-time library ------------------------------------------------------
[[noreturn]] void exit(int code);
time_t time(time_t* out);
FILE* fopen(const char* name, const char* mode);
size_t fwrite(const void* data, size_t size, size_t count, FILE* stream);
int fclose(FILE* stream);
int rename(const char* from, const char* to);
int remove(const char* name);
int _unlink(const char* name);
int _mkdir(const char* name);
int _rmdir(const char* name);
int _chdir(const char* name);
int _chdrive(int drive);
char* _getcwd(char* buffer, int size);
intptr_t _findfirst(const char* pattern, FindData* data);
int _findnext(intptr_t handle, FindData* data);
int _findclose(intptr_t handle);

}  // namespace os
