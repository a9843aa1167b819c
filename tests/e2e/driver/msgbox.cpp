#include "msgbox.h"

#include <cstdio>
#include <cstring>

#include "finder.h"
#include "pixels.h"

namespace e2e {
namespace {

const int kTextId = 0xFFFF;

// The button sets of the MB_ types, in the order the box lays them out.
struct ButtonSet {
  unsigned type;
  int ids[3];
};
const ButtonSet kSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
    {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
};

struct IconKind {
  unsigned style;
  LPCSTR id;
};
const IconKind kIcons[] = {{MB_ICONHAND, IDI_HAND},
                           {MB_ICONQUESTION, IDI_QUESTION},
                           {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
                           {MB_ICONASTERISK, IDI_ASTERISK}};

bool HasButton(HWND box, int id) {
  HWND b = GetDlgItem(box, id);
  if (!b || !IsWindowVisible(b)) return false;
  char cls[32] = "";
  GetClassNameA(b, cls, sizeof cls);
  return _stricmp(cls, "Button") == 0;
}

unsigned ButtonMask(HWND box) {
  unsigned mask = 0;
  for (int id = IDOK; id <= IDCONTINUE; ++id)
    if (HasButton(box, id)) mask |= 1u << id;
  return mask;
}

const ButtonSet* FindSet(unsigned mask) {
  for (const ButtonSet& s : kSets) {
    unsigned m = 0;
    for (int id : s.ids)
      if (id) m |= 1u << id;
    if (m == (mask & ~(1u << IDHELP))) return &s;
  }
  return nullptr;
}

// The dialog manager marks the default push button with its style; the
// dialog's own record of it is the fallback.
unsigned DefaultButton(HWND box, const ButtonSet& set) {
  for (unsigned i = 0; i < 3 && set.ids[i]; ++i) {
    LONG style = GetWindowLongA(GetDlgItem(box, set.ids[i]), GWL_STYLE);
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return i << 8;
  }
  DWORD_PTR def = 0;
  if (!SendMessageTimeoutA(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 10000, &def) || HIWORD(def) != DC_HASDEFID)
    return 0;
  for (unsigned i = 0; i < 3; ++i)
    if (set.ids[i] == LOWORD(def)) return i << 8;
  return 0;
}

struct IconSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindIconStatic(HWND child, LPARAM param) {
  char cls[32] = "";
  GetClassNameA(child, cls, sizeof cls);
  if (_stricmp(cls, "Static") == 0 && IsWindowVisible(child) &&
      (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    reinterpret_cast<IconSearch*>(param)->found = child;
    return FALSE;
  }
  return TRUE;
}

// Which of the four system icons the box shows: the icon control's pixels on
// the screen against each icon drawn here over the same background.
unsigned IconStyle(HWND box, std::string* doubt) {
  IconSearch search;
  EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 0;
  // A box without an icon style may keep its icon control, showing nothing.
  DWORD_PTR icon = 0;
  if (SendMessageTimeoutA(search.found, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 10000, &icon) && icon == 0) return 0;
  RECT r;
  GetWindowRect(search.found, &r);
  Pixels shown;
  std::string error;
  if (!CaptureScreen(r, &shown, &error)) {
    *doubt = "icon not captured: " + error;
    return 0;
  }
  const COLORREF background = RGB(shown.bgr[2], shown.bgr[1], shown.bgr[0]);
  unsigned best = 0;
  double bestDiff = 1.0;
  for (const IconKind& k : kIcons) {
    Pixels drawn;
    if (!RenderIcon(LoadIconA(nullptr, k.id), shown.width, shown.height, background, &drawn)) continue;
    double d = Difference(shown, drawn);
    if (d < bestDiff) {
      bestDiff = d;
      best = k.style;
    }
  }
  if (bestDiff > 0.1) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "the icon matches no system icon (best differs in %.0f%% of its pixels)",
                  bestDiff * 100);
    *doubt = buf;
    return 0;
  }
  return best;
}

}  // namespace

bool IsMessageBox(HWND hwnd) {
  char cls[16] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  return std::strcmp(cls, "#32770") == 0 && GetDlgItem(hwnd, kTextId) && ButtonMask(hwnd) != 0;
}

bool ReadBox(HWND box, BoxView* out) {
  *out = BoxView();
  if (!ControlText(GetDlgItem(box, kTextId), &out->text)) return false;
  HWND owner = GetWindow(box, GW_OWNER);
  out->hasOwner = owner != nullptr;
  if (owner) {
    char buf[1024] = "";
    GetWindowTextA(owner, buf, sizeof buf);
    out->owner = buf;
  }
  const unsigned mask = ButtonMask(box);
  const ButtonSet* set = FindSet(mask);
  if (!set) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "unknown set of buttons (mask 0x%X)", mask);
    out->doubt = buf;
    return true;
  }
  out->style = set->type | DefaultButton(box, *set) | (mask & (1u << IDHELP) ? MB_HELP : 0);
  out->style |= IconStyle(box, &out->doubt);
  return true;
}

}  // namespace e2e
