#include "platform/sim/scripted_user.h"

#include <cstdio>

#include "platform/sim/process.h"

namespace sim {

ScriptedUser& ScriptedUser::Do(int templateId, Action action, std::function<void(const DialogView&)> check) {
  Step s;
  s.kind = Step::Dialog;
  s.templateId = templateId;
  s.action = std::move(action);
  s.check = std::move(check);
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::Answer(const std::string& caption, int button, const std::string& textPart) {
  Step s;
  s.kind = Step::Box;
  s.caption = caption;
  s.button = button;
  s.textPart = textPart;
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::BrowseTo(const std::string& path) {
  Step s;
  s.kind = Step::Folder;
  s.choose = true;
  s.path = path;
  steps_.push_back(std::move(s));
  return *this;
}

ScriptedUser& ScriptedUser::CancelBrowse() {
  Step s;
  s.kind = Step::Folder;
  steps_.push_back(std::move(s));
  return *this;
}

std::string ScriptedUser::Describe(const Step& step) {
  switch (step.kind) {
    case Step::Dialog:
      return "dialog " + std::to_string(step.templateId);
    case Step::Box:
      return "box \"" + step.caption + "\"" + (step.textPart.empty() ? "" : " with \"" + step.textPart + "\"");
    case Step::Folder:
      return step.choose ? "folder browser choosing " + step.path : "folder browser, cancelled";
  }
  return "";
}

const ScriptedUser::Step& ScriptedUser::Next(const std::string& what) {
  if (next_ >= steps_.size()) FailTest("unexpected " + what + ": the script has no steps left");
  return steps_[next_];
}

int ScriptedUser::AnswerBox(const Event& box) {
  const std::string what = "box \"" + box.caption + "\": \"" + box.text + "\"";
  const Step& s = Next(what);
  if (s.kind != Step::Box || s.caption != box.caption ||
      (!s.textPart.empty() && box.text.find(s.textPart) == std::string::npos))
    FailTest("unexpected " + what + "; expected " + Describe(s));
  ++next_;
  return s.button;
}

Action ScriptedUser::Act(const DialogView& dialog) {
  const std::string what = "dialog " + std::to_string(dialog.templateId) + " \"" + dialog.caption + "\"";
  const Step& s = Next(what);
  if (s.kind != Step::Dialog || s.templateId != dialog.templateId)
    FailTest("unexpected " + what + "; expected " + Describe(s));
  ++next_;
  if (s.check) s.check(dialog);
  return s.action;
}

bool ScriptedUser::Browse(const std::string& title, std::string* path) {
  const std::string what = "folder browser \"" + title + "\"";
  const Step& s = Next(what);
  if (s.kind != Step::Folder) FailTest("unexpected " + what + "; expected " + Describe(s));
  ++next_;
  if (s.choose) *path = s.path;
  return s.choose;
}

std::string ScriptedUser::Leftover() const {
  std::string text;
  for (size_t i = next_; i < steps_.size(); ++i) text += Describe(steps_[i]) + "\n";
  return text;
}

// ---- transcript -----------------------------------------------------------------------
namespace {
std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", v);
  return text;
}
std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
}  // namespace

std::string Describe(const Event& e) {
  const std::string result = std::to_string(e.result);
  switch (e.kind) {
    case Event::DialogShown:
      return "shown " + std::to_string(e.templateId) + " " + Quoted(e.text);
    case Event::DialogEnded:
      return "ended " + std::to_string(e.templateId) + " " + Quoted(e.text) + " -> " + result +
             (e.detail.empty() ? "" : " (" + e.detail + ")");
    case Event::MessageBox:
      return "box " + Quoted(e.caption) + " " + Quoted(e.text) + " style " + Hex(e.style) + " owner " +
             (e.templateId || !e.owner.empty() ? std::to_string(e.templateId) + " " + Quoted(e.owner) : "none") +
             (e.detail.empty() ? "" : " (" + e.detail + ")") + " -> " + result;
    case Event::Browse:
      return "browse " + Quoted(e.text) + " -> " + Quoted(e.detail);
    case Event::Launch:
      return "launch " + Quoted(e.text) + " " + Quoted(e.detail);
    case Event::Exit:
      return "exit " + result;
  }
  return "";
}

std::string Describe(const std::vector<Event>& transcript) {
  std::string text;
  for (const Event& e : transcript) text += Describe(e) + "\n";
  return text;
}

std::vector<Event> EventsOf(const std::vector<Event>& transcript, Event::Kind kind) {
  std::vector<Event> out;
  for (const Event& e : transcript)
    if (e.kind == kind) out.push_back(e);
  return out;
}

std::vector<int> DialogsShown(const std::vector<Event>& transcript) {
  std::vector<int> ids;
  for (const Event& e : transcript)
    if (e.kind == Event::DialogShown) ids.push_back(e.templateId);
  return ids;
}

long long ExitCode(const std::vector<Event>& transcript) {
  for (auto it = transcript.rbegin(); it != transcript.rend(); ++it)
    if (it->kind == Event::Exit) return it->result;
  return -1;
}

}  // namespace sim
