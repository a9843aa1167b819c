// Windows of the process and of other programs: look-up, text, visibility,
// enabling, placement, messages, destruction.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/gui_internal.h"

namespace sim {

// ---- GuiState look-ups ----------------------------------------------------------------
os::HWND GuiState::AddOtherWindow(const std::string& title, const std::string& className) {
  auto w = std::make_unique<Window>();
  w->hwnd = NewWindowHandle();
  w->foreign = true;
  w->text = title;
  w->className = className;
  w->visible = true;
  others.push_back(std::move(w));
  return others.back()->hwnd;
}

bool GuiState::CloseOtherWindow(os::HWND window) {
  for (auto& w : others) {
    if (w->hwnd == window && w->alive) {
      w->alive = w->visible = false;
      return true;
    }
  }
  return false;
}

Window* GuiState::Find(os::HWND window) {
  if (!window) return nullptr;
  for (auto& w : process.windows)
    if (w->hwnd == window) return w.get();
  for (auto& w : others)
    if (w->hwnd == window) return w.get();
  return nullptr;
}

Window* GuiState::Control(os::HWND dialog, int id) {
  Window* d = Find(dialog);
  if (!d) return nullptr;
  Window* found = nullptr;
  for (os::HWND h : d->children) {
    Window* c = Find(h);
    if (c && c->id == id && (!found || (c->alive && !found->alive))) found = c;
  }
  return found;
}

Window* GuiState::Dialog(int templateId) {
  for (auto it = process.windows.rbegin(); it != process.windows.rend(); ++it)
    if ((*it)->templateId == templateId && !(*it)->parent) return it->get();
  return nullptr;
}

// ---- shared internals --------------------------------------------------------------------
os::HWND NewWindowHandle() { return static_cast<os::HWND>(NewHandleValue()); }

Window* Live(os::HWND hwnd) {
  Window* w = Gui().Find(hwnd);
  return w && w->alive ? w : nullptr;
}

Window* LiveOrError(os::HWND hwnd) {
  Window* w = Live(hwnd);
  if (!w) SetLastErrorCode(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

Window* TopLevelOf(Window* w) {
  while (w && w->parent) w = Gui().Find(w->parent);
  return w;
}

os::INT_PTR CallProc(Window* dialog, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam) {
  if (!dialog->proc || !dialog->alive) return 0;
  return dialog->proc(dialog->hwnd, msg, wParam, lParam);
}

namespace {

bool IsColorRequest(os::UINT msg) { return msg >= os::WM_CTLCOLORMSGBOX && msg <= os::WM_CTLCOLORSTATIC; }

// The system's own colours: black on the 3D face, with the face's brush.
os::INT_PTR DefaultColors(os::HDC hdc) {
  GuiState::Process& p = Gui().process;
  GdiObject* face = nullptr;
  for (GdiObject& o : p.gdi)
    if (!o.program && o.kind == GdiObject::Brush) face = &o;
  if (!face) {
    GdiObject o;
    o.handle = NewHandleValue();
    o.program = false;
    o.color = 0xC0C0C0;
    p.gdi.push_back(o);
    face = &p.gdi.back();
  }
  if (DeviceContext* dc = OpenDc(hdc)) {
    dc->colors.text = 0x000000;
    dc->colors.back = face->color;
  }
  return reinterpret_cast<os::INT_PTR>(face->handle);
}

void CommandCancel(Window* dialog) {
  Window* cancel = Gui().Control(dialog->hwnd, os::IDCANCEL);
  if (cancel && cancel->alive && !cancel->enabled) return;  // a disabled Cancel cannot be pressed
  Deliver(dialog, os::WM_COMMAND, os::MAKEWPARAM(os::IDCANCEL, os::BN_CLICKED),
          reinterpret_cast<os::LPARAM>(cancel && cancel->alive ? cancel->hwnd : nullptr));
}

os::LRESULT DefaultHandling(Window* w, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam) {
  switch (msg) {
    case os::WM_SETICON: {
      os::HICON& slot = wParam == os::ICON_BIG ? w->bigIcon : w->smallIcon;
      const os::HICON previous = slot;
      slot = reinterpret_cast<os::HICON>(lParam);
      return reinterpret_cast<os::LRESULT>(previous);
    }
    case os::WM_SETFONT:
      w->font = reinterpret_cast<os::HFONT>(wParam);
      return 0;
    case WM_SETTEXT:
      SetText(w, lParam ? reinterpret_cast<const char*>(lParam) : "");
      return os::TRUE;
    case os::WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == os::SC_CLOSE) Deliver(w, os::WM_CLOSE, 0, 0);
      return 0;
    case os::WM_CLOSE:
      if (w->proc) CommandCancel(w);
      return 0;
    default:
      return IsColorRequest(msg) ? DefaultColors(reinterpret_cast<os::HDC>(wParam)) : 0;
  }
}

}  // namespace

os::LRESULT Deliver(Window* w, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam) {
  if (w->foreign || !w->alive) return 0;
  const os::INT_PTR handled = CallProc(w, msg, wParam, lParam);
  if (handled) return handled;
  return DefaultHandling(w, msg, wParam, lParam);
}

void SetText(Window* w, const std::string& text) {
  w->text = text;
  // A single-line edit reports every change of its text to its dialog.
  Window* parent = w->parent ? Live(w->parent) : nullptr;
  if (parent && w->className == "edit" && !(w->style & os::ES_MULTILINE))
    Deliver(parent, os::WM_COMMAND, os::MAKEWPARAM(static_cast<os::WORD>(w->id), os::EN_CHANGE),
            reinterpret_cast<os::LPARAM>(w->hwnd));
}

void Show(Window* w) {
  if (w->visible) return;
  w->visible = true;
  if (w->parent || w->foreign) return;
  w->activation = ++Gui().process.activations;
  ++w->shownCount;
  if (w->proc) {
    Event shown = NewEvent(Event::DialogShown);
    shown.templateId = w->templateId;
    shown.text = w->text;
    M().transcript.push_back(shown);
    PaintDialog(w->hwnd);
  }
}

void Hide(Window* w) { w->visible = false; }

int FrameWidth(const Window& w) {
  if (w.parent) return 0;
  if ((w.style & (WS_DLGFRAME | WS_THICKFRAME)) || (w.exStyle & WS_EX_DLGMODALFRAME)) return 3;
  return (w.style & WS_BORDER) ? 1 : 0;
}

int CaptionHeight(const Window& w) { return !w.parent && (w.style & WS_CAPTION) == WS_CAPTION ? 18 : 0; }

void EnableOwnerAgain(Window* dialog) {
  if (!dialog->disabledOwner) return;
  dialog->disabledOwner = false;
  if (Window* owner = Live(dialog->owner)) owner->enabled = true;
}

void Destroy(Window* w) {
  if (!w->alive) return;
  // Owned windows go first, then the window with its controls.
  for (size_t i = 0; i < Gui().process.windows.size(); ++i) {
    Window* other = Gui().process.windows[i].get();
    if (other->alive && other->owner == w->hwnd && other != w) Destroy(other);
  }
  const bool wasShown = w->visible || w->shownCount > 0;
  Hide(w);
  EnableOwnerAgain(w);
  CallProc(w, os::WM_DESTROY, 0, 0);
  for (os::HWND child : w->children)
    if (Window* c = Live(child)) Destroy(c);
  CallProc(w, os::WM_NCDESTROY, 0, 0);
  w->alive = false;
  if (w->proc && !w->modal && wasShown) {
    Event ended = NewEvent(Event::DialogEnded);
    ended.templateId = w->templateId;
    ended.text = w->text;
    ended.detail = "destroyed";
    M().transcript.push_back(ended);
  }
}

void DeliverQueued() {
  auto& queue = Gui().process.queue;
  while (!queue.empty()) {
    const WindowMessage m = queue.front();
    queue.erase(queue.begin());
    if (Window* w = Live(m.window)) Deliver(w, m.message, m.wParam, m.lParam);
  }
}

namespace {

int CopyText(const std::string& text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const int n = std::min(static_cast<int>(text.size()), size - 1);
  std::memcpy(buffer, text.data(), static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

bool SameClass(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool Matches(const Window& w, const char* className, const char* title) {
  return w.alive && !w.parent && (!className || SameClass(w.className, className)) && (!title || w.text == title);
}

std::string OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace
}  // namespace sim

namespace os {

BOOL DestroyWindow(HWND window) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w) return FALSE;
  if (sim::Faulted("DestroyWindow", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  if (w->foreign) {
    SetLastError(ERROR_ACCESS_DENIED);  // another program's window is not ours to destroy
    return FALSE;
  }
  sim::Destroy(w);
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  sim::Window* d = sim::LiveOrError(dialog);
  if (!d) return nullptr;
  if (sim::Faulted("GetDlgItem", std::to_string(id), sim::ERROR_CONTROL_ID_NOT_FOUND)) return nullptr;
  sim::Window* c = sim::Gui().Control(dialog, id);
  if (c && c->alive) return c->hwnd;
  SetLastError(sim::ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND control) {
  sim::Window* c = sim::LiveOrError(control);
  if (!c || sim::Faulted("GetDlgCtrlID", "", sim::ERROR_INVALID_WINDOW_HANDLE)) return 0;
  return c->parent ? c->id : 0;
}

BOOL SetWindowTextA(HWND window, const char* text) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("SetWindowTextA", sim::OrEmpty(text), ERROR_ACCESS_DENIED)) return FALSE;
  sim::SetText(w, sim::OrEmpty(text));
  return TRUE;
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) {
  if (!sim::LiveOrError(dialog)) return FALSE;
  if (sim::Faulted("SetDlgItemTextA", sim::OrEmpty(text), ERROR_ACCESS_DENIED)) return FALSE;
  sim::Window* c = sim::Gui().Control(dialog, id);
  if (!c || !c->alive) {
    SetLastError(sim::ERROR_CONTROL_ID_NOT_FOUND);
    return FALSE;
  }
  sim::SetText(c, sim::OrEmpty(text));
  return TRUE;
}

UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size) {
  if (buffer && size > 0) buffer[0] = 0;
  if (!sim::LiveOrError(dialog) || sim::Faulted("GetDlgItemTextA", std::to_string(id), ERROR_ACCESS_DENIED)) return 0;
  sim::Window* c = sim::Gui().Control(dialog, id);
  if (!c || !c->alive) {
    SetLastError(sim::ERROR_CONTROL_ID_NOT_FOUND);
    return 0;
  }
  return static_cast<UINT>(sim::CopyText(c->text, buffer, size));
}

int GetWindowTextA(HWND window, char* buffer, int size) {
  if (buffer && size > 0) buffer[0] = 0;
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("GetWindowTextA", w->text, ERROR_ACCESS_DENIED)) return 0;
  return sim::CopyText(w->text, buffer, size);
}

int GetWindowTextLengthA(HWND window) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("GetWindowTextLengthA", w->text, ERROR_ACCESS_DENIED)) return 0;
  return static_cast<int>(w->text.size());
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w) return 0;
  sim::Gui().process.sent.push_back({window, w->text, message, wParam, lParam});
  if (sim::Faulted("SendMessageA", std::to_string(message), ERROR_ACCESS_DENIED)) return 0;
  return sim::Deliver(w, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("PostMessageA", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  const sim::WindowMessage m{window, w->text, message, wParam, lParam};
  if (w->foreign)
    sim::Gui().posted.push_back(m);
  else
    sim::Gui().process.queue.push_back(m);
  return TRUE;
}

HWND FindWindowA(const char* className, const char* title) {
  if (sim::Faulted("FindWindowA", sim::OrEmpty(title), ERROR_ACCESS_DENIED)) return nullptr;
  sim::GuiState& gui = sim::Gui();
  for (auto it = gui.process.windows.rbegin(); it != gui.process.windows.rend(); ++it)
    if (sim::Matches(**it, className, title)) return (*it)->hwnd;
  for (auto& w : gui.others)
    if (sim::Matches(*w, className, title)) return w->hwnd;
  SetLastError(ERROR_SUCCESS);
  return nullptr;
}

BOOL ShowWindow(HWND window, int command) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("ShowWindow", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  const BOOL wasVisible = w->visible ? TRUE : FALSE;
  enum { SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3, SW_MINIMIZE = 6, SW_SHOWMINNOACTIVE = 7, SW_RESTORE = 9 };
  switch (command) {
    case SW_HIDE:
      sim::Hide(w);
      return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      w->iconic = true;
      break;
    case SW_SHOWNORMAL:
    case SW_SHOWMAXIMIZED:
    case SW_RESTORE:
      w->iconic = false;
      break;
    default:
      break;
  }
  sim::Show(w);
  return wasVisible;
}

BOOL IsIconic(HWND window) {
  sim::Window* w = sim::Live(window);
  return w && w->iconic && !sim::Faulted("IsIconic", w->text, ERROR_ACCESS_DENIED) ? TRUE : FALSE;
}

BOOL IsWindow(HWND window) {
  return sim::Live(window) && !sim::Faulted("IsWindow", "", ERROR_ACCESS_DENIED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("EnableWindow", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  const BOOL wasDisabled = w->enabled ? FALSE : TRUE;
  w->enabled = enable != FALSE;
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  sim::Window* w = sim::LiveOrError(window);
  return w && w->enabled && !sim::Faulted("IsWindowEnabled", w->text, ERROR_ACCESS_DENIED) ? TRUE : FALSE;
}

HWND GetActiveWindow() {
  if (sim::Faulted("GetActiveWindow", "", ERROR_ACCESS_DENIED)) return nullptr;
  sim::Window* best = nullptr;
  for (auto& w : sim::Gui().process.windows)
    if (w->alive && w->visible && w->enabled && !w->parent && (!best || w->activation > best->activation))
      best = w.get();
  return best ? best->hwnd : nullptr;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || sim::Faulted("MoveWindow", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  w->rect = {x, y, x + width, y + height};
  ++w->moves;
  w->lastMoveRepaint = repaint != FALSE;
  return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || !rect || sim::Faulted("GetWindowRect", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  *rect = w->rect;
  return TRUE;
}

// Only the owner relation: the one the framework asks for.
HWND GetWindow(HWND window, UINT relation) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || relation != GW_OWNER || sim::Faulted("GetWindow", w->text, ERROR_INVALID_PARAMETER)) return nullptr;
  return w->owner;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  sim::Window* w = sim::LiveOrError(window);
  if (!w || !rect || sim::Faulted("GetClientRect", w->text, ERROR_ACCESS_DENIED)) return FALSE;
  const int frame = sim::FrameWidth(*w);
  const int width = w->rect.right - w->rect.left - 2 * frame;
  const int height = w->rect.bottom - w->rect.top - 2 * frame - sim::CaptionHeight(*w);
  *rect = {0, 0, std::max(width, 0), std::max(height, 0)};
  return TRUE;
}

}  // namespace os
