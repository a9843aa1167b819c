#include "finder.h"

#include <cstdio>

#include "tests/scenario/scenario.h"

namespace e2e {
namespace {

struct EnumState {
  DWORD pid;
  std::vector<WindowView>* out;
};

std::string ClassOf(HWND hwnd) {
  char buf[256] = "";
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

BOOL CALLBACK OnTopWindow(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != state->pid) return TRUE;
  WindowView v;
  v.hwnd = hwnd;
  char buf[1024] = "";
  GetWindowTextA(hwnd, buf, sizeof buf);
  v.caption = buf;
  v.cls = ClassOf(hwnd);
  v.visible = IsWindowVisible(hwnd) != FALSE;
  v.enabled = IsWindowEnabled(hwnd) != FALSE;
  state->out->push_back(v);
  return TRUE;
}

BOOL CALLBACK OnChild(HWND hwnd, LPARAM param) {
  auto* out = reinterpret_cast<std::string*>(param);
  std::string text;
  if (!ControlText(hwnd, &text)) text = "(no answer)";
  if (text.size() > 120) text = text.substr(0, 120) + "...";
  char line[96];
  std::snprintf(line, sizeof line, "      control %d %s%s: ", static_cast<int>(GetDlgCtrlID(hwnd)),
                ClassOf(hwnd).c_str(), IsWindowVisible(hwnd) ? "" : " (hidden)");
  *out += line + scenario::Quote(text) + "\n";
  return TRUE;
}

}  // namespace

std::vector<WindowView> TopWindows(DWORD pid) {
  std::vector<WindowView> out;
  EnumState state{pid, &out};
  EnumWindows(OnTopWindow, reinterpret_cast<LPARAM>(&state));
  return out;
}

bool ControlText(HWND control, std::string* text) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return false;
  std::string buf(length + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]), SMTO_ABORTIFHUNG,
                           3000, &got))
    return false;
  buf.resize(got < buf.size() ? got : buf.size() - 1);
  *text = buf;
  return true;
}

std::string DescribeWindows(DWORD pid) {
  std::string out;
  for (const WindowView& v : TopWindows(pid)) {
    out += "    window " + scenario::Quote(v.caption) + " class " + v.cls + (v.visible ? "" : " (hidden)") +
           (v.enabled ? "" : " (disabled)") + "\n";
    EnumChildWindows(v.hwnd, OnChild, reinterpret_cast<LPARAM>(&out));
  }
  return out.empty() ? "    (the program has no windows)\n" : out;
}

}  // namespace e2e
