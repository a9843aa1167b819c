// Finding the installer's windows and reading what they show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct WindowView {
  HWND hwnd = nullptr;
  std::string caption;
  std::string cls;
  bool visible = false;
  bool enabled = false;
};

// The top-level windows that belong to process pid, in z-order.
std::vector<WindowView> TopWindows(DWORD pid);

// A control's text as WM_GETTEXT gives it; false when the control does not
// answer within a few seconds.
bool ControlText(HWND control, std::string* text);

// Every top-level window of pid with its state and controls, for messages.
std::string DescribeWindows(DWORD pid);

}  // namespace e2e
