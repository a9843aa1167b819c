// The windowing half of the simulated machine: the program's resources, its
// windows and dialogs, GDI objects, the screen, other programs' windows and
// named mutexes, and the process-wide state of one run (last error, handles).
// Tests fill the machine part before a run and read both parts after it.
//
// Every os:: call of this half asks Machine::Failing with its own name (all
// but GetLastError and SetLastError). What a fault's match is compared with:
// DialogBoxParamA, CreateDialogParamA, FindResourceA, LoadResource,
// SizeofResource, LockResource, LoadIconA: the resource's name or number
// ("130"); MessageBoxA: the caption; CreateMutexA: the mutex name;
// FindWindowA: the title; GetModuleHandleA: the module name; CreateFontA: the
// face name; SetWindowTextA, SetDlgItemTextA: the new text; GetSystemMetrics:
// the index; SendMessageA: the message number; GetDlgItem, GetDlgItemTextA:
// the control id; CloseHandle: the handle's kind ("mutex", "file"); the other
// window calls: the window's text; the rest: "".
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/dialog_template.h"
#include "platform/sim/process.h"
#include "platform/sim/res_file.h"

namespace sim {

// ---- the program's module --------------------------------------------------------
class ResourceModule {
 public:
  bool LoadFile(const std::string& path, std::string* error = nullptr);
  bool LoadBytes(const std::vector<uint8_t>& image, std::string* error = nullptr);
  const Resource* Find(const ResId& type, const ResId& name) const;
  bool Remove(const ResId& type, const ResId& name);
  // Replaces the bytes of a resource, or adds it.
  void Put(const ResId& type, const ResId& name, std::vector<uint8_t> bytes);
  const std::vector<std::unique_ptr<Resource>>& All() const { return items_; }

  // The handles the resource calls give out: checked against what is loaded
  // now, so a stale or made-up handle finds nothing.
  const Resource* FromHandle(const void* handle) const;
  const Resource* FromData(const void* data) const;
  const void* DataOf(const Resource& res) const;

 private:
  std::vector<std::unique_ptr<Resource>> items_;
};

// ---- windows -------------------------------------------------------------------------
// A colour request's outcome: the brush the dialog procedure returned and the
// colours it set on the device context (black on white unless it set them).
struct ColorAnswer {
  bool asked = false;
  os::HBRUSH brush = nullptr;
  os::COLORREF text = 0x000000;
  os::COLORREF back = 0xFFFFFF;
  bool textSet = false, backSet = false;
};

struct Window {
  os::HWND hwnd = nullptr;
  bool alive = true;
  bool foreign = false;   // a top-level window of another program
  std::string className;  // "#32770" for dialogs; controls in lower case
  std::string text;       // caption or control text
  os::DWORD style = 0, exStyle = 0;
  int id = 0;                 // controls
  int templateId = 0;         // dialogs: the template they were made from
  os::HWND parent = nullptr;  // controls: their dialog
  os::HWND owner = nullptr;   // top-level windows
  std::vector<os::HWND> children;
  bool visible = false, enabled = true, iconic = false;
  os::RECT rect{};  // window rectangle: on the screen, or in the parent's client area
  int moves = 0;    // MoveWindow calls
  bool lastMoveRepaint = false;
  os::HFONT font = nullptr;
  os::HICON bigIcon = nullptr, smallIcon = nullptr;
  ColorAnswer color;  // the latest colour request for this window
  // dialogs
  os::DLGPROC proc = nullptr;
  bool modal = false, ended = false;
  os::INT_PTR endCode = 0;
  bool disabledOwner = false;  // the modal run disabled the owner and owes it enabling
  int shownCount = 0;
  long long activation = 0;  // when it was last shown
};

// A message the program sent or posted, and to which window.
struct WindowMessage {
  os::HWND window;
  std::string title;  // the window's text at the time
  os::UINT message;
  os::WPARAM wParam;
  os::LPARAM lParam;
};

// ---- GDI -------------------------------------------------------------------------------
struct FontRequest {
  int height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  os::DWORD italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0, clipPrecision = 0, quality = 0,
            pitchAndFamily = 0;
  std::string face;
  os::HFONT result = nullptr;  // null when creation failed
};

struct GdiObject {
  enum Kind { Brush, Font } kind = Brush;
  os::HGDIOBJ handle = nullptr;
  bool program = true;     // false: the dialog manager's own (a template's font)
  os::COLORREF color = 0;  // brushes
  FontRequest font;        // fonts
  int deletes = 0;
};

struct DeviceContext {
  os::HDC hdc = nullptr;
  os::HWND window = nullptr;
  bool open = true;
  bool painting = false;  // from BeginPaint, closed by EndPaint
  ColorAnswer colors;
};

struct IconDraw {
  os::HWND window;  // whose paint context it drew on
  int x, y;
  os::HICON icon;
};

// ---- named mutexes -------------------------------------------------------------------
struct NamedMutex {
  bool heldElsewhere = false;  // another program has it open
  int handles = 0;             // open handles of the running process
  int ownCount = 0;            // the running process owns it this many times
  // This run, and what was left when its process ended:
  int opened = 0;            // CreateMutexA calls that returned a handle
  int releases = 0;          // ReleaseMutex calls that released it
  int closedWhileOwned = 0;  // last handle closed while still owning it
  int handlesAtExit = 0;
  bool ownedAtExit = false;
  bool Exists() const { return heldElsewhere || handles > 0; }
  // The process let go of it: nothing open, nothing owned, nothing abandoned.
  bool LetGo() const { return handlesAtExit == 0 && !ownedAtExit && closedWhileOwned == 0; }
};

// ---- the state -----------------------------------------------------------------------
struct GuiState {
  // The machine: stays from run to run.
  ResourceModule resources;
  std::string moduleFileName = "C:\\Setup\\setup.exe";
  int screenWidth = 1024, screenHeight = 768;
  std::set<int> iconicTemplates;                // dialogs made from these start minimised
  std::vector<std::unique_ptr<Window>> others;  // other programs' top-level windows
  std::vector<WindowMessage> posted;            // messages posted to them
  std::map<std::string, NamedMutex> mutexes;

  os::HWND AddOtherWindow(const std::string& title, const std::string& className = "");
  bool CloseOtherWindow(os::HWND window);
  void HoldMutexElsewhere(const std::string& name) { mutexes[name].heldElsewhere = true; }

  // The running process (or the one that ran last): reset by RunProcess.
  struct Process {
    os::DWORD lastError = 0;
    std::vector<std::unique_ptr<Window>> windows;
    std::vector<WindowMessage> sent;   // SendMessageA, in order
    std::vector<WindowMessage> queue;  // posted to the process's own windows, not yet delivered
    std::vector<GdiObject> gdi;
    std::vector<FontRequest> fontRequests;  // every CreateFontA call
    std::vector<std::string> gdiErrors;     // deleting twice, deleting what was never made
    std::vector<DeviceContext> dcs;
    std::vector<IconDraw> draws;
    std::map<os::HICON, int> icons;           // LoadIconA: handle -> icon group id
    std::vector<std::string> ignoredActions;  // user actions on disabled or hidden controls
    long long activations = 0;
    struct Handle {
      os::HANDLE handle;
      const char* kind;
      std::function<void()> onClose;
    };
    std::vector<Handle> handles;
    std::map<os::HANDLE, std::string> mutexNames;
  } process;

  // Look-ups for tests and for the sim itself.
  Window* Find(os::HWND window);  // any window, alive or not
  Window* Control(os::HWND dialog, int id);
  // The latest dialog made from a template in this run, or null.
  Window* Dialog(int templateId);
  GdiObject* Object(os::HGDIOBJ handle);
  int DeleteCount(os::HGDIOBJ handle) {
    GdiObject* o = Object(handle);
    return o ? o->deletes : -1;
  }
  int IconGroup(os::HICON icon) const {
    auto it = process.icons.find(icon);
    return it == process.icons.end() ? -1 : it->second;
  }
};

// ---- driving the windows from a test -------------------------------------------------
// What Windows does when a dialog needs painting: WM_PAINT to it, then a
// colour request for it and for each visible control. The answers land in each
// window's `color`.
void PaintDialog(os::HWND dialog);
// One colour request, as the dialog or control (controlId 0: the dialog itself)
// makes it when it paints.
ColorAnswer RequestColor(os::HWND dialog, int controlId);

}  // namespace sim
