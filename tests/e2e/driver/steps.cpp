#include "steps.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <functional>

#include "finder.h"
#include "msgbox.h"
#include "pixels.h"
#include "report.h"
#include "win.h"

namespace e2e {
namespace {

using scenario::Quote;
using scenario::Step;


bool Ended(const Session* s, DWORD* code) {
  if (WaitForSingleObject(s->process, 0) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(s->process, code);
  return true;
}

HWND VisibleBox(const Session* s) {
  for (const WindowView& v : TopWindows(s->pid))
    if (v.visible && IsMessageBox(v.hwnd)) return v.hwnd;
  return nullptr;
}

std::string BoxSummary(HWND box) {
  char caption[512] = "";
  GetWindowTextA(box, caption, sizeof caption);
  BoxView v;
  ReadBox(box, &v);
  char style[16];
  snprintf(style, sizeof style, "0x%X", v.style);
  return std::string("box ") + Quote(caption) + " " + Quote(v.text) + " " + style;
}

// Polls for find() until it gives a window. Fails early when the program ends,
// or when a message box that find() does not accept stays up for two seconds.
HWND Await(Session* s, const std::function<HWND()>& find, int seconds, const std::string& what) {
  const DWORD start = GetTickCount();
  DWORD strayBoxSince = 0;
  for (;;) {
    if (HWND found = find()) return found;
    DWORD code = 0;
    if (Ended(s, &code)) {
      Fail("the program ended (exit code %lu) while waiting for %s", static_cast<unsigned long>(code), what.c_str());
      return nullptr;
    }
    const DWORD now = GetTickCount();
    if (HWND box = VisibleBox(s)) {
      if (!strayBoxSince) strayBoxSince = now;
      if (now - strayBoxSince > 2000) {
        Fail("waiting for %s, but this is up: %s\n%s", what.c_str(), BoxSummary(box).c_str(),
             DescribeWindows(s->pid).c_str());
        return nullptr;
      }
    } else {
      strayBoxSince = 0;
    }
    if (now - start > static_cast<DWORD>(seconds) * 1000) {
      Fail("%s did not appear within %d s; the program's windows:\n%s", what.c_str(), seconds,
           DescribeWindows(s->pid).c_str());
      return nullptr;
    }
    Sleep(100);
  }
}

// After a posted click or key: lets the program take it before the next step
// looks, whether its handler returns or opens a modal loop.
void Settle(const Session* s) {
  Sleep(300);
  WaitForInputIdle(s->process, 10000);
}

HWND FindTop(const Session* s, const std::string& caption, bool mustBeActive) {
  for (const WindowView& v : TopWindows(s->pid))
    if (v.caption == caption && (!mustBeActive || (v.visible && v.enabled))) return v.hwnd;
  return nullptr;
}

bool WaitStep(const Step& st, Session* s) {
  HWND w = Await(s, [&] { return FindTop(s, st.caption, true); }, st.timeout ? st.timeout : StepTimeout(),
                 "window " + Quote(st.caption));
  if (!w) return false;
  s->current = w;
  s->currentCaption = st.caption;
  Pass("window %s is up", Quote(st.caption).c_str());
  return true;
}

HWND Control(const Step& st, const Session* s, HWND window) {
  if (!window) {
    Fail("no current window: a wait step must come first");
    return nullptr;
  }
  HWND c = GetDlgItem(window, st.control);
  if (!c) Fail("window %s has no control %d", Quote(st.caption.empty() ? s->currentCaption : st.caption).c_str(),
               st.control);
  return c;
}

bool CheckStep(const Step& st, Session* s) {
  HWND window = st.caption.empty() ? s->current : FindTop(s, st.caption, false);
  if (!window && !st.caption.empty()) {
    Fail("no window %s", Quote(st.caption).c_str());
    return true;
  }
  HWND c = Control(st, s, window);
  std::string text;
  if (!c) return true;
  if (!ControlText(c, &text)) Fail("control %d does not answer", st.control);
  else if (text != st.text) Fail("control %d reads %s, expected %s", st.control, Quote(text).c_str(), Quote(st.text).c_str());
  else Pass("control %d reads %s", st.control, Quote(text).c_str());
  return true;
}

// The user tabs to the edit, then its whole text is replaced. The dialog
// manager moves the focus, so Enter afterwards means what it would mean there.
bool TypeStep(const Step& st, Session* s) {
  HWND c = Control(st, s, s->current);
  DWORD_PTR r = 0;
  if (!c) return true;
  SendMessageTimeoutA(s->current, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE, SMTO_ABORTIFHUNG, 10000, &r);
  if (!SendMessageTimeoutA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(st.text.c_str()), SMTO_ABORTIFHUNG, 5000, &r))
    Fail("control %d did not take the text", st.control);
  return true;
}

bool ClickStep(const Step& st, Session* s) {
  HWND c = Control(st, s, s->current);
  if (!c) return true;
  if (!IsWindowEnabled(c) || !IsWindowVisible(c)) {
    Fail("button %d is %s", st.control, IsWindowVisible(c) ? "disabled" : "hidden");
    return true;
  }
  // Posted: the click may open a modal loop that a sent message would wait for.
  PostMessageA(c, BM_CLICK, 0, 0);
  Settle(s);
  return true;
}

// A key goes where the keyboard focus is, and the dialog manager of the
// window's modal loop decides what it means.
bool KeyStep(const Step& st, Session* s) {
  if (!s->current || !IsWindow(s->current)) {
    Fail("no current window for the key");
    return false;
  }
  if (st.kind == Step::Close) {
    PostMessageA(s->current, WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle(s);
    return true;
  }
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  HWND target = s->current;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(s->current, nullptr), &gui) && gui.hwndFocus &&
      (gui.hwndFocus == s->current || IsChild(s->current, gui.hwndFocus)))
    target = gui.hwndFocus;
  const WPARAM key = st.kind == Step::Enter ? VK_RETURN : VK_ESCAPE;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, key, scan | 1);
  PostMessageA(target, WM_KEYUP, key, scan | 1 | (1u << 30) | (1u << 31));
  Settle(s);
  return true;
}

void BoxMatches(const Step& st, HWND box) {
  BoxView v;
  if (!ReadBox(box, &v)) return Fail("the box does not answer");
  const int before = Failures();
  if (v.text != st.text) Fail("box text %s, expected %s", Quote(v.text).c_str(), Quote(st.text).c_str());
  if (!v.doubt.empty()) Fail("box style: %s", v.doubt.c_str());
  else if ((v.style & 0xFFF) != (st.style & 0xFFF))
    Fail("box style 0x%X, expected 0x%X", v.style & 0xFFF, st.style & 0xFFF);
  if (st.owner && (v.hasOwner != !st.owner->empty() || v.owner != *st.owner))
    Fail("box owner %s, expected %s", v.hasOwner ? Quote(v.owner).c_str() : "none",
         st.owner->empty() ? "none" : Quote(*st.owner).c_str());
  if (Failures() == before) Pass("box %s %s 0x%X", Quote(st.caption).c_str(), Quote(v.text).c_str(), v.style);
}

bool BoxStep(const Step& st, Session* s) {
  HWND box = Await(s, [&] { return VisibleBox(s); }, st.timeout ? st.timeout : StepTimeout(),
                   "message box " + Quote(st.caption));
  if (!box) return false;
  char caption[512] = "";
  GetWindowTextA(box, caption, sizeof caption);
  if (st.caption != caption) {
    Fail("the box up is not the one expected: %s", BoxSummary(box).c_str());
    return false;
  }
  BoxMatches(st, box);
  HWND button = GetDlgItem(box, st.answer);
  if (!button || !IsWindowVisible(button)) {
    Fail("the box has no %s button", scenario::ButtonName(st.answer));
    return false;
  }
  PostMessageA(button, BM_CLICK, 0, 0);
  const DWORD start = GetTickCount();
  while (IsWindow(box) && GetTickCount() - start < static_cast<DWORD>(StepTimeout()) * 1000) Sleep(50);
  if (IsWindow(box)) {
    Fail("the box stayed up after %s", scenario::ButtonName(st.answer));
    return false;
  }
  return true;
}

bool ShotStep(const Step& st, Session* s) {
  // Let the program finish painting what it has just shown.
  WaitForInputIdle(s->process, 3000);
  Sleep(500);
  Pixels screen;
  std::string error;
  const std::string path = s->shotsDir + "\\" + st.text + ".bmp";
  if (!CaptureWholeScreen(&screen, &error) || !SaveBmp(screen, path, &error)) Fail("%s", error.c_str());
  else Pass("screenshot %s (%dx%d)", path.c_str(), screen.width, screen.height);
  return true;
}

}  // namespace

int StepTimeout() {
  char buf[16] = "";
  const DWORD n = GetEnvironmentVariableA("E2E_TIMEOUT", buf, sizeof buf);
  const int seconds = n > 0 && n < sizeof buf ? std::atoi(buf) : 0;
  return seconds > 0 ? seconds : 120;
}

bool RunStep(const Step& st, Session* s) {
  Say("line %d: %s", st.line, st.source.c_str());
  switch (st.kind) {
    case Step::Wait: return WaitStep(st, s);
    case Step::Check: return CheckStep(st, s);
    case Step::Type: return TypeStep(st, s);
    case Step::Click: return ClickStep(st, s);
    case Step::Enter:
    case Step::Escape:
    case Step::Close: return KeyStep(st, s);
    case Step::Box: return BoxStep(st, s);
    case Step::Shot: return ShotStep(st, s);
    case Step::Browse: Fail("the folder browser is driven in the simulated machine only"); return false;
    case Step::Rerun: Fail("a rerun is played by the run, not as a step"); return false;
  }
  return false;
}

bool AwaitExit(Session* s, int seconds) {
  Say("waiting for the program to end");
  if (WaitForSingleObject(s->process, static_cast<DWORD>(seconds) * 1000) == WAIT_OBJECT_0) return true;
  Fail("the program did not end within %d s; its windows:\n%s", seconds, DescribeWindows(s->pid).c_str());
  TerminateProcess(s->process, 0xDEAD);
  WaitForSingleObject(s->process, 5000);
  return false;
}

}  // namespace e2e

namespace e2e {

void AwaitStartedPrograms(DWORD installerPid) {
  Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL more = snap && Process32First(snap.get(), &pe); more; more = Process32Next(snap.get(), &pe)) {
    if (pe.th32ParentProcessID != installerPid) continue;
    Handle child(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pe.th32ProcessID));
    if (!child) continue;
    Say("letting %s (started by the installer) come up", pe.szExeFile);
    WaitForInputIdle(child.get(), 120000);
  }
}

}  // namespace e2e
