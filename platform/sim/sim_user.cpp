// The person at the machine: actions in modal dialogs, answers to message boxes.
#include <cstdio>

#include "platform/sim/gui_internal.h"

namespace sim {
namespace {

std::string Where(Window* dialog, int id) {
  return "control " + std::to_string(id) + " of dialog " + std::to_string(dialog->templateId) + " \"" + dialog->text +
         "\"";
}

// The control an action names; a control that is not there, or not of the
// kind, is a mistake in the test.
Window* Target(Window* dialog, int id, const char* className, const char* action) {
  Window* c = Gui().Control(dialog->hwnd, id);
  if (!c || !c->alive) FailTest(std::string(action) + ": there is no " + Where(dialog, id));
  if (c->className != className)
    FailTest(std::string(action) + ": " + Where(dialog, id) + " is of class " + c->className + ", not " + className);
  return c;
}

// What cannot be done on the screen does nothing, as on a real one.
bool Usable(Window* c, bool typing, const char* action) {
  const bool readOnly = typing && (c->style & os::ES_READONLY);
  if (c->visible && c->enabled && !readOnly) return true;
  Window* d = Gui().Find(c->parent);
  Gui().process.ignoredActions.push_back(std::string(action) + " " + Where(d, c->id) +
                                         (readOnly      ? " (read-only)"
                                          : !c->visible ? " (hidden)"
                                                        : " (disabled)"));
  return false;
}

void Command(Window* dialog, int id, os::WORD code, Window* control) {
  Deliver(dialog, os::WM_COMMAND, os::MAKEWPARAM(static_cast<os::WORD>(id), code),
          reinterpret_cast<os::LPARAM>(control ? control->hwnd : nullptr));
}

Window* DefaultButton(Window* dialog) {
  for (os::HWND h : dialog->children) {
    Window* c = Live(h);
    if (c && c->className == "button" && (c->style & BS_TYPEMASK) == os::BS_DEFPUSHBUTTON) return c;
  }
  return nullptr;
}

// Enter presses the default push button, or sends IDOK when there is none.
void PressEnter(Window* dialog) {
  Window* def = DefaultButton(dialog);
  if (!def) def = Gui().Control(dialog->hwnd, os::IDOK);
  if (def && def->alive) {
    if (Usable(def, false, "Enter")) Command(dialog, def->id, os::BN_CLICKED, def);
    return;
  }
  Command(dialog, os::IDOK, os::BN_CLICKED, nullptr);
}

void CloseBox(Window* dialog) {
  if (!(dialog->style & WS_SYSMENU) || (dialog->style & WS_CAPTION) != WS_CAPTION)
    FailTest("Close: dialog " + std::to_string(dialog->templateId) + " has no close box");
  Deliver(dialog, os::WM_SYSCOMMAND, os::SC_CLOSE, 0);
}

// The buttons of a box style, by the answers they give.
bool IsButtonOf(os::UINT style, int answer) {
  static const std::vector<int> kButtons[] = {
      {os::IDOK},                                // MB_OK
      {os::IDOK, os::IDCANCEL},                  // MB_OKCANCEL
      {os::IDABORT, os::IDRETRY, os::IDIGNORE},  // MB_ABORTRETRYIGNORE
      {os::IDYES, os::IDNO, os::IDCANCEL},       // MB_YESNOCANCEL
      {os::IDYES, os::IDNO},                     // MB_YESNO
      {os::IDRETRY, os::IDCANCEL},               // MB_RETRYCANCEL
      {os::IDCANCEL, 10, 11},                    // MB_CANCELTRYCONTINUE
  };
  const os::UINT kind = style & 0xF;
  if (kind >= sizeof kButtons / sizeof kButtons[0]) return false;
  for (int b : kButtons[kind])
    if (b == answer) return true;
  return false;
}

std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", v);
  return text;
}

}  // namespace

void Perform(Window* dialog, const Action& action) {
  switch (action.kind) {
    case Action::Click: {
      Window* c = Target(dialog, action.control, "button", "Click");
      if (Usable(c, false, "Click")) Command(dialog, c->id, os::BN_CLICKED, c);
      break;
    }
    case Action::Type: {
      Window* c = Target(dialog, action.control, "edit", "Type");
      if (!Usable(c, true, "Type")) break;
      c->text = action.text;
      Command(dialog, c->id, os::EN_CHANGE, c);
      break;
    }
    case Action::Enter:
      PressEnter(dialog);
      break;
    case Action::Escape:
      Command(dialog, os::IDCANCEL, os::BN_CLICKED, Gui().Control(dialog->hwnd, os::IDCANCEL));
      break;
    case Action::Close:
      CloseBox(dialog);
      break;
  }
}

}  // namespace sim

namespace os {

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  const std::string title = caption ? caption : "Error";
  if (sim::Faulted("MessageBoxA", title, ERROR_NOT_ENOUGH_MEMORY)) return 0;
  sim::Window* ownerWindow = nullptr;
  if (owner) {
    ownerWindow = sim::TopLevelOf(sim::LiveOrError(owner));
    if (!ownerWindow) return 0;
  }

  sim::Event box = sim::NewEvent(sim::Event::MessageBox);
  if (ownerWindow) {
    box.templateId = ownerWindow->templateId;
    box.owner = ownerWindow->text;
    if (!ownerWindow->visible) box.detail = "owner hidden";
  }
  box.text = text ? text : "";
  box.caption = title;
  box.style = type;
  sim::Machine& m = sim::M();
  if (!m.user) sim::FailTest("message box \"" + title + "\" with no user at the machine");
  const size_t index = m.transcript.size();
  m.transcript.push_back(box);

  // The box is modal: its owner is disabled while it is up, and the box's
  // own loop delivers what was posted to the process's windows.
  const bool disable = ownerWindow && !ownerWindow->foreign && ownerWindow->enabled;
  if (disable) ownerWindow->enabled = false;
  sim::DeliverQueued();
  const int answer = m.user->AnswerBox(box);
  if (disable && ownerWindow->alive) ownerWindow->enabled = true;
  if (!sim::IsButtonOf(type, answer))
    sim::FailTest("box \"" + title + "\" (style " + sim::Hex(type) + ") has no button that answers " +
                  std::to_string(answer));
  m.transcript[index].result = answer;
  return answer;
}

}  // namespace os
