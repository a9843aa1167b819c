// Screen metrics, brushes, fonts, device contexts and painting.
#include <cstdio>

#include "platform/sim/gui_internal.h"

namespace sim {

GdiObject* GuiState::Object(os::HGDIOBJ handle) {
  for (GdiObject& o : process.gdi)
    if (o.handle == handle) return &o;
  return nullptr;
}

os::HDC NewDeviceContext(os::HWND window, bool painting) {
  DeviceContext dc;
  dc.hdc = static_cast<os::HDC>(NewHandleValue());
  dc.window = window;
  dc.painting = painting;
  Gui().process.dcs.push_back(dc);
  return dc.hdc;
}

DeviceContext* OpenDc(os::HDC hdc) {
  for (DeviceContext& dc : Gui().process.dcs)
    if (dc.hdc == hdc && dc.open) return &dc;
  return nullptr;
}

namespace {

constexpr os::COLORREF CLR_INVALID = 0xFFFFFFFF;

std::string HandleText(const void* h) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", h);
  return text;
}

os::UINT ColorMessageFor(const Window& c) {
  if (c.className == "button") return os::WM_CTLCOLORBTN;
  if (c.className == "listbox") return os::WM_CTLCOLORLISTBOX;
  if (c.className == "scrollbar") return os::WM_CTLCOLORSCROLLBAR;
  // A read-only or disabled edit paints like a static.
  if (c.className == "edit" && c.enabled && !(c.style & os::ES_READONLY)) return os::WM_CTLCOLOREDIT;
  return os::WM_CTLCOLORSTATIC;
}

}  // namespace

ColorAnswer RequestColor(os::HWND dialogHandle, int controlId) {
  Window* dialog = Live(dialogHandle);
  if (!dialog || !dialog->proc) FailTest("colour request for a window that is no open dialog");
  Window* target = controlId ? Gui().Control(dialogHandle, controlId) : dialog;
  if (!target || !target->alive) FailTest("colour request for a control the dialog does not have");
  const os::UINT msg = controlId ? ColorMessageFor(*target) : os::WM_CTLCOLORDLG;
  const os::HDC hdc = NewDeviceContext(target->hwnd, false);
  const os::LRESULT brush =
      Deliver(dialog, msg, reinterpret_cast<os::WPARAM>(hdc), reinterpret_cast<os::LPARAM>(target->hwnd));
  DeviceContext* dc = OpenDc(hdc);
  ColorAnswer answer = dc ? dc->colors : ColorAnswer();
  if (dc) dc->open = false;
  answer.asked = true;
  answer.brush = reinterpret_cast<os::HBRUSH>(brush);
  target->color = answer;
  return answer;
}

void PaintDialog(os::HWND dialogHandle) {
  Window* dialog = Live(dialogHandle);
  if (!dialog || !dialog->proc) FailTest("paint request for a window that is no open dialog");
  Deliver(dialog, os::WM_PAINT, 0, 0);
  if (!dialog->alive) return;
  RequestColor(dialogHandle, 0);
  const std::vector<os::HWND> children = dialog->children;
  for (os::HWND h : children) {
    Window* c = Live(h);
    if (c && c->visible && dialog->alive) RequestColor(dialogHandle, c->id);
  }
}

}  // namespace sim

namespace os {

int GetSystemMetrics(int index) {
  if (sim::Faulted("GetSystemMetrics", std::to_string(index), ERROR_INVALID_PARAMETER)) return 0;
  enum {
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50
  };
  switch (index) {
    case SM_CXSCREEN:
      return sim::Gui().screenWidth;
    case SM_CYSCREEN:
      return sim::Gui().screenHeight;
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYCAPTION:
      return 18;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    default:
      return 0;
  }
}

HBRUSH CreateSolidBrush(COLORREF color) {
  if (sim::Faulted("CreateSolidBrush", "", ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  sim::GdiObject brush;
  brush.handle = sim::NewHandleValue();
  brush.color = color;
  sim::Gui().process.gdi.push_back(brush);
  return static_cast<HBRUSH>(brush.handle);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, const char* face) {
  sim::FontRequest request{height,    width,   escapement,   orientation,   weight,  italic,         underline,
                           strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face ? face : ""};
  auto& p = sim::Gui().process;
  if (!sim::Faulted("CreateFontA", request.face, ERROR_NOT_ENOUGH_MEMORY)) {
    request.result = static_cast<HFONT>(sim::NewHandleValue());
    sim::GdiObject font;
    font.kind = sim::GdiObject::Font;
    font.handle = request.result;
    font.font = request;
    p.gdi.push_back(font);
  }
  p.fontRequests.push_back(request);
  return request.result;
}

BOOL DeleteObject(HGDIOBJ object) {
  auto& p = sim::Gui().process;
  sim::GdiObject* o = object ? sim::Gui().Object(object) : nullptr;
  if (!o) {
    if (object) p.gdiErrors.push_back("DeleteObject(" + sim::HandleText(object) + "): never created");
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (o->deletes > 0) {
    p.gdiErrors.push_back("DeleteObject(" + sim::HandleText(object) + "): deleted twice");
    ++o->deletes;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!o->program) p.gdiErrors.push_back("DeleteObject(" + sim::HandleText(object) + "): not the program's own");
  if (sim::Faulted("DeleteObject", "", ERROR_INVALID_PARAMETER)) return FALSE;
  ++o->deletes;
  return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  sim::DeviceContext* d = sim::OpenDc(dc);
  if (!d || sim::Faulted("SetTextColor", "", ERROR_INVALID_HANDLE)) return sim::CLR_INVALID;
  const COLORREF previous = d->colors.text;
  d->colors.text = color;
  d->colors.textSet = true;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  sim::DeviceContext* d = sim::OpenDc(dc);
  if (!d || sim::Faulted("SetBkColor", "", ERROR_INVALID_HANDLE)) return sim::CLR_INVALID;
  const COLORREF previous = d->colors.back;
  d->colors.back = color;
  d->colors.backSet = true;
  return previous;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || !paint || sim::Faulted("BeginPaint", w->text, ERROR_INVALID_HANDLE)) return nullptr;
  *paint = PAINTSTRUCT();
  paint->hdc = sim::NewDeviceContext(window, true);
  paint->fErase = TRUE;
  GetClientRect(window, &paint->rcPaint);
  return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  sim::DeviceContext* d = paint ? sim::OpenDc(paint->hdc) : nullptr;
  if (!d || !d->painting || d->window != window) return FALSE;
  d->open = false;
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  sim::DeviceContext* d = sim::OpenDc(dc);
  if (!d || !sim::Gui().process.icons.count(icon)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (sim::Faulted("DrawIcon", "", ERROR_INVALID_HANDLE)) return FALSE;
  sim::Gui().process.draws.push_back({d->window, x, y, icon});
  return TRUE;
}

}  // namespace os
