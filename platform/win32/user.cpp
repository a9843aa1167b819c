// user32 and gdi32: dialogs, windows, message boxes, painting, fonts.
#include "platform/os.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>

#include "platform/win32/convert.h"

using win32::As;
using win32::FromWin;
using win32::ToWin;

namespace os {

namespace {
// Same calling convention and argument sizes; only the handle types differ.
::DLGPROC ToWinProc(DLGPROC proc) { return reinterpret_cast<::DLGPROC>(proc); }
}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param) {
  return ::DialogBoxParamA(ToWin(instance), templateName, ToWin(owner), ToWinProc(proc), param);
}
HWND CreateDialogParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param) {
  return FromWin(::CreateDialogParamA(ToWin(instance), templateName, ToWin(owner), ToWinProc(proc), param));
}
BOOL EndDialog(HWND dialog, INT_PTR result) { return ::EndDialog(ToWin(dialog), result); }
BOOL DestroyWindow(HWND window) { return ::DestroyWindow(ToWin(window)); }
HWND GetDlgItem(HWND dialog, int id) { return FromWin(::GetDlgItem(ToWin(dialog), id)); }
int GetDlgCtrlID(HWND control) { return ::GetDlgCtrlID(ToWin(control)); }
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) { return ::SetDlgItemTextA(ToWin(dialog), id, text); }
UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size) {
  return ::GetDlgItemTextA(ToWin(dialog), id, buffer, size);
}
BOOL SetWindowTextA(HWND window, const char* text) { return ::SetWindowTextA(ToWin(window), text); }
int GetWindowTextA(HWND window, char* buffer, int size) { return ::GetWindowTextA(ToWin(window), buffer, size); }
int GetWindowTextLengthA(HWND window) { return ::GetWindowTextLengthA(ToWin(window)); }
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(ToWin(window), message, wParam, lParam);
}
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(ToWin(window), message, wParam, lParam);
}
HWND FindWindowA(const char* className, const char* title) { return FromWin(::FindWindowA(className, title)); }
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(ToWin(owner), text, caption, type);
}
int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return ::MoveWindow(ToWin(window), x, y, width, height, repaint);
}
BOOL ShowWindow(HWND window, int command) { return ::ShowWindow(ToWin(window), command); }
BOOL IsIconic(HWND window) { return ::IsIconic(ToWin(window)); }
BOOL IsWindow(HWND window) { return ::IsWindow(ToWin(window)); }
BOOL EnableWindow(HWND window, BOOL enable) { return ::EnableWindow(ToWin(window), enable); }
BOOL IsWindowEnabled(HWND window) { return ::IsWindowEnabled(ToWin(window)); }
HWND GetActiveWindow() { return FromWin(::GetActiveWindow()); }
BOOL GetClientRect(HWND window, RECT* rect) { return ::GetClientRect(ToWin(window), As<::RECT>(rect)); }
BOOL GetWindowRect(HWND window, RECT* rect) { return ::GetWindowRect(ToWin(window), As<::RECT>(rect)); }
HWND GetWindow(HWND window, UINT relation) { return FromWin(::GetWindow(ToWin(window), relation)); }

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  return FromWin(::BeginPaint(ToWin(window), As<::PAINTSTRUCT>(paint)));
}
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  return ::EndPaint(ToWin(window), As<::PAINTSTRUCT>(paint));
}
BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return ::DrawIcon(ToWin(dc), x, y, ToWin(icon)); }
HICON LoadIconA(HINSTANCE instance, const char* name) { return FromWin(::LoadIconA(ToWin(instance), name)); }
HBRUSH CreateSolidBrush(COLORREF color) { return FromWin(::CreateSolidBrush(color)); }
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, const char* face) {
  return FromWin(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                               charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face));
}
BOOL DeleteObject(HGDIOBJ object) { return ::DeleteObject(object); }
COLORREF SetTextColor(HDC dc, COLORREF color) { return ::SetTextColor(ToWin(dc), color); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return ::SetBkColor(ToWin(dc), color); }

}  // namespace os
