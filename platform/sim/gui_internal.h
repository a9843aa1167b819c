// What the GUI half's source files share among themselves; not for tests.
#pragma once

#include <string>

#include "platform/os.h"
#include "platform/sim/gui_state.h"
#include "platform/sim/machine.h"

namespace sim {

constexpr os::DWORD ERROR_INSUFFICIENT_BUFFER = 122, ERROR_NOT_OWNER = 288, ERROR_INVALID_WINDOW_HANDLE = 1400,
                    ERROR_CONTROL_ID_NOT_FOUND = 1421, ERROR_RESOURCE_DATA_NOT_FOUND = 1812,
                    ERROR_RESOURCE_TYPE_NOT_FOUND = 1813, ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr os::UINT WM_SETTEXT = 0x000C;

inline GuiState& Gui() { return M().gui; }

inline Event NewEvent(Event::Kind kind) {
  Event e{};
  e.kind = kind;
  e.result = 0;
  return e;
}

// The program's own module: its handle is where setup.exe would be loaded.
inline os::HMODULE ProgramModule() { return reinterpret_cast<os::HMODULE>(static_cast<uintptr_t>(0x00400000)); }

// A fault for this call: true after setting the last error to the fault's
// code, or to fallback when the fault gives none.
bool Faulted(const char* op, const std::string& arg, os::DWORD fallback, long* code = nullptr);

// The window behind a handle, if it is alive: the process's own or another program's.
Window* Live(os::HWND hwnd);
// The same, setting ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* LiveOrError(os::HWND hwnd);
// The top-level window that a window belongs to.
Window* TopLevelOf(Window* w);
os::HWND NewWindowHandle();

// Sends a message the way SendMessage does: the dialog procedure first, then
// the system's default handling of what it left alone.
os::LRESULT Deliver(Window* w, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
// Just the dialog procedure: 0 for windows without one.
os::INT_PTR CallProc(Window* dialog, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);

// Makes a top-level window visible: counts as shown in the transcript for a
// dialog, becomes the latest activation, and paints.
void Show(Window* w);
void Hide(Window* w);
void SetText(Window* w, const std::string& text);
void Destroy(Window* w);
// The non-client parts of a top-level window, in pixels.
int FrameWidth(const Window& w);
int CaptionHeight(const Window& w);
void EnableOwnerAgain(Window* dialog);
// Delivers the messages posted to the process's own windows.
void DeliverQueued();

os::HDC NewDeviceContext(os::HWND window, bool painting);
DeviceContext* OpenDc(os::HDC dc);

}  // namespace sim
