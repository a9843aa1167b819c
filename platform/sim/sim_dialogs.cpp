// Dialogs made from the binary templates of the program's resources, modal
// and modeless, the way the dialog manager makes and runs them.
#include "platform/sim/gui_internal.h"

namespace sim {

// What the user does in a modal dialog; sim_user.cpp.
void Perform(Window* dialog, const Action& action);
DialogView ViewOf(Window* dialog);

namespace {

// Dialog units of an 8-point "MS Sans Serif" template: 6 by 13 pixels of base units.
int UnitsToX(int units) { return (units * 6 + 2) / 4; }
int UnitsToY(int units) { return (units * 13 + 4) / 8; }

os::HFONT TemplateFont(const DialogTemplate& t) {
  if (!(t.style & DS_SETFONT)) return nullptr;
  GdiObject font;
  font.kind = GdiObject::Font;
  font.handle = NewHandleValue();
  font.program = false;
  font.font.height = -(t.pointSize * 96 + 36) / 72;
  font.font.weight = t.weight;
  font.font.italic = t.italic;
  font.font.charSet = static_cast<os::DWORD>(t.charSet);
  font.font.face = t.face;
  Gui().process.gdi.push_back(font);
  return static_cast<os::HFONT>(font.handle);
}

void PlaceDialog(Window* d, const DialogTemplate& t, Window* owner) {
  const int frame = FrameWidth(*d), caption = CaptionHeight(*d);
  const int width = UnitsToX(t.cx) + 2 * frame, height = UnitsToY(t.cy) + 2 * frame + caption;
  int x = UnitsToX(t.x), y = UnitsToY(t.y);
  if (t.style & DS_CENTER) {
    const os::RECT area = owner ? owner->rect : os::RECT{0, 0, Gui().screenWidth, Gui().screenHeight};
    x = area.left + (area.right - area.left - width) / 2;
    y = area.top + (area.bottom - area.top - height) / 2;
  } else if (owner) {
    x += owner->rect.left + FrameWidth(*owner);
    y += owner->rect.top + FrameWidth(*owner) + CaptionHeight(*owner);
  }
  d->rect = {x, y, x + width, y + height};
}

void AddControl(Window* d, const DialogItem& item) {
  auto c = std::make_unique<Window>();
  c->hwnd = NewWindowHandle();
  c->className = item.className;
  c->text = item.text;
  c->style = item.style;
  c->exStyle = item.exStyle;
  c->id = item.id;
  c->parent = d->hwnd;
  c->visible = (item.style & WS_VISIBLE) != 0;
  c->enabled = !(item.style & WS_DISABLED);
  const int x = UnitsToX(item.x), y = UnitsToY(item.y);
  c->rect = {x, y, x + UnitsToX(item.cx), y + UnitsToY(item.cy)};
  c->font = d->font;
  d->children.push_back(c->hwnd);
  Gui().process.windows.push_back(std::move(c));
}

bool ReadTemplate(os::HINSTANCE instance, const ResId& id, DialogTemplate* t) {
  if (instance != nullptr && instance != ProgramModule()) {
    SetLastErrorCode(ERROR_RESOURCE_DATA_NOT_FOUND);
    return false;
  }
  const Resource* res = Gui().resources.Find(RT_DIALOG, id);
  if (!res) {
    SetLastErrorCode(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  if (!ParseDialogTemplate(res->bytes.data(), res->bytes.size(), t, nullptr)) {
    SetLastErrorCode(ERROR_RESOURCE_DATA_NOT_FOUND);
    return false;
  }
  return true;
}

Window* NewDialogWindow(const DialogTemplate& t, const ResId& id, Window* owner, os::DLGPROC proc, bool modal) {
  auto d = std::make_unique<Window>();
  d->hwnd = NewWindowHandle();
  d->className = t.className.empty() ? "#32770" : t.className;
  d->text = t.caption;
  d->style = t.style;
  d->exStyle = t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  d->templateId = id.isNumber ? id.number : 0;
  d->owner = owner ? owner->hwnd : nullptr;
  d->enabled = !(t.style & WS_DISABLED);
  d->iconic = Gui().iconicTemplates.count(d->templateId) > 0;
  d->proc = proc;
  d->modal = modal;
  d->font = TemplateFont(t);
  PlaceDialog(d.get(), t, owner);
  Gui().process.windows.push_back(std::move(d));
  Window* dialog = Gui().process.windows.back().get();
  for (const DialogItem& item : t.items) AddControl(dialog, item);
  return dialog;
}

os::HWND FirstTabStop(const Window* dialog) {
  for (os::HWND h : dialog->children) {
    Window* c = Live(h);
    if (c && (c->style & WS_TABSTOP) && c->visible && c->enabled) return h;
  }
  return nullptr;
}

// Builds the window and its controls, hidden, and runs the dialog
// procedure's set-up. Null when the template or the owner is not there, or
// when the set-up destroyed the dialog.
Window* MakeDialog(os::HINSTANCE instance, const char* name, os::HWND ownerHandle, os::DLGPROC proc, os::LPARAM param,
                   bool modal) {
  const ResId id = ResId::FromArg(name);
  DialogTemplate t;
  if (!ReadTemplate(instance, id, &t)) return nullptr;
  Window* owner = TopLevelOf(ownerHandle ? LiveOrError(ownerHandle) : nullptr);
  if (ownerHandle && !owner) return nullptr;
  Window* dialog = NewDialogWindow(t, id, owner, proc, modal);
  // The modal run disables its owner before the set-up, and enables it again
  // when the dialog ends.
  if (modal && owner && owner->enabled && !owner->foreign) {
    owner->enabled = false;
    dialog->disabledOwner = true;
  }
  if (dialog->font) CallProc(dialog, os::WM_SETFONT, reinterpret_cast<os::WPARAM>(dialog->font), 0);
  CallProc(dialog, os::WM_INITDIALOG, reinterpret_cast<os::WPARAM>(FirstTabStop(dialog)), param);
  return dialog->alive ? dialog : nullptr;
}

void RecordEnd(Window* dialog, os::INT_PTR code) {
  Event ended = NewEvent(Event::DialogEnded);
  ended.templateId = dialog->templateId;
  ended.text = dialog->text;
  ended.result = code;
  M().transcript.push_back(ended);
}

os::INT_PTR RunModal(Window* dialog) {
  // A dialog that its set-up ended is never shown.
  if (!dialog->ended) Show(dialog);
  while (dialog->alive && !dialog->ended) {
    DeliverQueued();
    if (!dialog->alive || dialog->ended) break;
    if (!dialog->visible)
      FailTest("modal dialog " + std::to_string(dialog->templateId) + " waits for input while hidden");
    User* user = M().user;
    if (!user) FailTest("a modal dialog runs with no user at the machine");
    Perform(dialog, user->Act(ViewOf(dialog)));
  }
  const os::INT_PTR code = dialog->ended ? dialog->endCode : 0;
  EnableOwnerAgain(dialog);
  Destroy(dialog);
  RecordEnd(dialog, code);
  return code;
}

}  // namespace

DialogView ViewOf(Window* dialog) {
  const os::HWND hwnd = dialog->hwnd;
  return DialogView{dialog->templateId, dialog->text, [hwnd](int id) {
                      Window* c = Gui().Control(hwnd, id);
                      return c ? c->text : std::string();
                    }};
}

}  // namespace sim

namespace os {

INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param) {
  if (sim::Faulted("DialogBoxParamA", sim::ResId::FromArg(templateName).ToString(), sim::ERROR_RESOURCE_NAME_NOT_FOUND))
    return -1;
  sim::Window* dialog = sim::MakeDialog(instance, templateName, owner, proc, param, true);
  if (!dialog) {
    // Set-up may have destroyed it, or it was never made.
    return -1;
  }
  return sim::RunModal(dialog);
}

HWND CreateDialogParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc, LPARAM param) {
  if (sim::Faulted("CreateDialogParamA", sim::ResId::FromArg(templateName).ToString(),
                   sim::ERROR_RESOURCE_NAME_NOT_FOUND))
    return nullptr;
  sim::Window* dialog = sim::MakeDialog(instance, templateName, owner, proc, param, false);
  if (!dialog) return nullptr;
  if (dialog->style & sim::WS_VISIBLE) sim::Show(dialog);
  return dialog->hwnd;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  sim::Window* d = sim::LiveOrError(dialog);
  if (!d || d->foreign || sim::Faulted("EndDialog", d->text, ERROR_ACCESS_DENIED)) return FALSE;
  d->ended = true;
  d->endCode = result;
  sim::EnableOwnerAgain(d);
  sim::Hide(d);
  return TRUE;
}

}  // namespace os
