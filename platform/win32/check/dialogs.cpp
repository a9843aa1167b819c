// Dialogs from templates, controls, painting, fonts and message boxes.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <cstring>

#include "platform/win32/check/check.h"

namespace {
const int kEdit = 10, kStatus = 11;
bool g_painted = false;

void CheckControls(os::HWND dialog) {
  CHECK(os::IsWindow(dialog) && !os::IsIconic(dialog));
  CHECK(os::FindWindowA(nullptr, "OsCheck") == dialog);
  const os::HWND edit = os::GetDlgItem(dialog, kEdit);
  CHECK(edit != nullptr && os::GetDlgCtrlID(edit) == kEdit);
  CHECK(os::SetDlgItemTextA(dialog, kEdit, "C:\\Program Files\\Testanza"));
  CHECK(os::GetWindowTextLengthA(edit) == 25);
  char text[64] = {0};
  CHECK(os::GetDlgItemTextA(dialog, kEdit, text, sizeof text) == 25 && std::strcmp(text, "C:\\Program Files\\Testanza") == 0);
  CHECK(os::GetWindowTextA(edit, text, 8) == 7 && std::strcmp(text, "C:\\Prog") == 0);
  CHECK(os::SetWindowTextA(os::GetDlgItem(dialog, kStatus), "Line one\r\nLine two"));

  CHECK(os::IsWindowEnabled(edit));
  CHECK(!os::EnableWindow(edit, FALSE));  // answers whether it was disabled before
  CHECK(!os::IsWindowEnabled(edit));
  os::EnableWindow(edit, TRUE);

  CHECK(os::MoveWindow(dialog, 20, 30, 400, 200, TRUE));
  os::RECT client = {};
  CHECK(os::GetClientRect(dialog, &client));
  CHECK(client.left == 0 && client.top == 0 && client.right > 300 && client.right <= 400 && client.bottom > 100);

  const os::HFONT font = os::CreateFontA(-16, 0, 0, 0, FW_EXTRABOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEVICE_PRECIS,
                                         CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  CHECK(font != nullptr);
  os::SendMessageA(edit, WM_SETFONT, reinterpret_cast<os::WPARAM>(font), TRUE);
  CHECK(os::SendMessageA(edit, WM_GETFONT, 0, 0) == reinterpret_cast<os::LRESULT>(font));

  const os::HICON icon = os::LoadIconA(nullptr, reinterpret_cast<const char*>(IDI_APPLICATION));
  CHECK(icon != nullptr);
  os::SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<os::LPARAM>(icon));
  CHECK(os::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) == reinterpret_cast<os::LRESULT>(icon));
  CHECK(os::GetSystemMetrics(SM_CXICON) > 0 && os::GetSystemMetrics(SM_CXSCREEN) > 0);
}

os::INT_PTR OS_WINAPI ModalProc(os::HWND dialog, os::UINT message, os::WPARAM w, os::LPARAM l) {
  switch (message) {
    case WM_INITDIALOG:
      CHECK(l == 0x5EED);
      CheckControls(dialog);
      CHECK(os::PostMessageA(dialog, WM_COMMAND, IDOK, 0));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(w) == IDOK) os::EndDialog(dialog, 42);
      return TRUE;
    default:
      return FALSE;
  }
}

os::INT_PTR OS_WINAPI ModelessProc(os::HWND dialog, os::UINT message, os::WPARAM, os::LPARAM) {
  if (message != WM_PAINT) return message == WM_INITDIALOG;
  os::PAINTSTRUCT paint = {};
  const os::HDC dc = os::BeginPaint(dialog, &paint);
  CHECK(dc != nullptr && paint.hdc == dc);
  CHECK(paint.rcPaint.right > paint.rcPaint.left && paint.rcPaint.bottom > paint.rcPaint.top);
  os::SetTextColor(dc, RGB(255, 0, 0));
  CHECK(os::SetTextColor(dc, RGB(0, 0, 255)) == RGB(255, 0, 0));
  os::SetBkColor(dc, RGB(1, 2, 3));
  CHECK(os::SetBkColor(dc, RGB(0, 0, 0)) == RGB(1, 2, 3));
  CHECK(os::DrawIcon(dc, 0, 0, os::LoadIconA(nullptr, reinterpret_cast<const char*>(IDI_APPLICATION))));
  CHECK(os::EndPaint(dialog, &paint));
  g_painted = true;
  return TRUE;
}

// Answers the message box from another thread, as a user would: with No.
DWORD WINAPI AnswerBox(void*) {
  for (int i = 0; i < 600; ++i) {
    if (HWND box = FindWindowA("#32770", "Check caption")) {
      PostMessageA(box, WM_COMMAND, IDNO, 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
}  // namespace

void CheckDialogs() {
  const os::HINSTANCE self = os::GetModuleHandleA(nullptr);
  CHECK(os::DialogBoxParamA(self, reinterpret_cast<const char*>(100), nullptr, &ModalProc, 0x5EED) == 42);
  CHECK(os::DialogBoxParamA(self, reinterpret_cast<const char*>(999), nullptr, &ModalProc, 0) == -1);

  const os::HWND modeless = os::CreateDialogParamA(self, reinterpret_cast<const char*>(100), nullptr, &ModelessProc, 0);
  CHECK(modeless != nullptr);
  os::ShowWindow(modeless, SW_SHOW);
  RedrawWindow(reinterpret_cast<HWND>(modeless), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CHECK(g_painted);
  const os::HBRUSH brush = os::CreateSolidBrush(RGB(0, 128, 0));
  CHECK(brush != nullptr && os::DeleteObject(brush));
  CHECK(os::DestroyWindow(modeless));
  CHECK(!os::IsWindow(modeless));

  HANDLE answerer = CreateThread(nullptr, 0, &AnswerBox, nullptr, 0, nullptr);
  CHECK(os::MessageBoxA(nullptr, "Check text", "Check caption", MB_YESNO | MB_ICONQUESTION) == IDNO);
  WaitForSingleObject(answerer, INFINITE);
  CloseHandle(answerer);
}
