// The binary dialog template of a DIALOG or DIALOGEX resource, as the dialog
// manager reads it to build a dialog and its controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

constexpr os::DWORD WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_VISIBLE = 0x10000000u, WS_DISABLED = 0x08000000u,
                    WS_CAPTION = 0x00C00000u, WS_BORDER = 0x00800000u, WS_DLGFRAME = 0x00400000u,
                    WS_SYSMENU = 0x00080000u, WS_THICKFRAME = 0x00040000u, WS_GROUP = 0x00020000u,
                    WS_TABSTOP = 0x00010000u;
constexpr os::DWORD WS_EX_DLGMODALFRAME = 0x1;
constexpr os::DWORD DS_SETFONT = 0x40, DS_MODALFRAME = 0x80, DS_CENTER = 0x800;
constexpr os::DWORD BS_TYPEMASK = 0xF, BS_GROUPBOX = 0x7;

struct DialogItem {
  os::DWORD style = 0;
  os::DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  int id = 0;
  std::string className;  // lower case: "button", "edit", "static", ...
  std::string text;
  int textOrdinal = -1;  // a title given by number (an icon's id), else -1
};

struct DialogTemplate {
  bool extended = false;  // DIALOGEX
  os::DWORD style = 0;
  os::DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::string menu;
  std::string className;  // empty: the dialog class
  std::string caption;
  int pointSize = 0;  // with DS_SETFONT only
  int weight = 0;
  bool italic = false;
  int charSet = 0;
  std::string face;
  std::vector<DialogItem> items;
};

// False, with the reason, for bytes that are not a whole template; it never
// reads outside data[0, size).
bool ParseDialogTemplate(const uint8_t* data, size_t size, DialogTemplate* out, std::string* error);

}  // namespace sim
