#include "tests/scenario_sim/scenario_user.h"

#include <cstdio>

#include "platform/sim/process.h"
#include "platform/sim/scripted_user.h"

namespace scenario_sim {

using scenario::Quote;
using scenario::Step;

namespace {

bool IsAction(const Step& s) {
  return s.kind == Step::Type || s.kind == Step::Click || s.kind == Step::Enter || s.kind == Step::Escape ||
         s.kind == Step::Close;
}

sim::Action ToAction(const Step& s) {
  switch (s.kind) {
    case Step::Type: return sim::Action::TypeInto(s.control, s.text);
    case Step::Click: return sim::Action::ClickOn(s.control);
    case Step::Enter: return sim::Action::PressEnter();
    case Step::Escape: return sim::Action::PressEscape();
    default: return sim::Action::CloseBox();
  }
}

std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

bool HasOwner(const sim::Event& box) { return box.templateId != 0 || !box.owner.empty(); }

// A dialog of the running program with this caption, alive, shown or not.
sim::Window* ProgramDialog(const std::string& caption) {
  for (auto& w : sim::M().gui.process.windows)
    if (w->alive && !w->parent && w->text == caption) return w.get();
  return nullptr;
}

}  // namespace

void ScenarioUser::Stop(const Step* step, const std::string& what) const {
  sim::FailTest((step ? Failures::At(step->line, step->source) : std::string("after the last step: ")) + what);
}

void ScenarioUser::Check(const Step& st, const sim::DialogView* view) {
  const std::string caption = st.caption.empty() ? current_ : st.caption;
  if (st.caption.empty() && !haveCurrent_) {
    failures_->Add(st.line, st.source, "no current window: a wait step must come first");
    return;
  }
  std::string text;
  if (view && view->caption == caption) {
    text = view->textOf(st.control);
  } else {
    sim::Window* dialog = ProgramDialog(caption);
    if (!dialog) return failures_->Add(st.line, st.source, "no window " + Quote(caption));
    sim::Window* control = sim::M().gui.Control(dialog->hwnd, st.control);
    if (!control) return failures_->Add(st.line, st.source, "window " + Quote(caption) + " has no control");
    text = control->text;
  }
  if (text != st.text)
    failures_->Add(st.line, st.source, "control " + std::to_string(st.control) + " reads " + Quote(text));
}

const Step* ScenarioUser::NextActive(const sim::DialogView* view) {
  while (next_ < steps_.size()) {
    const Step& st = steps_[next_];
    if (st.kind == Step::Check) Check(st, view);
    else if (st.kind != Step::Shot) return &st;
    ++next_;
  }
  return nullptr;
}

sim::Action ScenarioUser::Act(const sim::DialogView& dialog) {
  const std::string asked = "dialog " + Quote(dialog.caption) + " waits for input";
  const Step* st = NextActive(&dialog);
  while (st && st->kind == Step::Wait) {
    if (st->caption != dialog.caption) Stop(st, asked + " instead");
    haveCurrent_ = true;
    current_ = dialog.caption;
    ++next_;
    st = NextActive(&dialog);
  }
  if (!st) Stop(nullptr, asked + ", but the scenario has no steps left");
  if (!IsAction(*st)) Stop(st, asked + " before this step");
  if (!haveCurrent_ || current_ != dialog.caption)
    Stop(st, asked + ", but the current window is " + (haveCurrent_ ? Quote(current_) : "none: wait for it first"));
  ++next_;
  return ToAction(*st);
}

int ScenarioUser::AnswerBox(const sim::Event& box) {
  const std::string came = "box " + Quote(box.caption) + " " + Quote(box.text) + " " + Hex(box.style);
  const Step* st = NextActive(nullptr);
  // A box is a window too: waiting for it makes it the current one.
  while (st && st->kind == Step::Wait && st->caption == box.caption) {
    haveCurrent_ = true;
    current_ = box.caption;
    ++next_;
    st = NextActive(nullptr);
  }
  if (!st) Stop(nullptr, "a " + came + " came, but the scenario has no steps left");
  if (st->kind != Step::Box) Stop(st, "a " + came + " came before this step");
  if (st->caption != box.caption) Stop(st, "the box up is not the one expected: " + came);
  if (st->text != box.text) failures_->Add(st->line, st->source, "box text " + Quote(box.text));
  if ((st->style ^ box.style) & 0xFFF) failures_->Add(st->line, st->source, "box style " + Hex(box.style));
  if (st->owner && (HasOwner(box) != !st->owner->empty() || box.owner != *st->owner))
    failures_->Add(st->line, st->source, "box owner " + (HasOwner(box) ? Quote(box.owner) : std::string("none")));
  ++next_;
  return st->answer;
}

bool ScenarioUser::Browse(const std::string& title, std::string* path) {
  const Step* st = NextActive(nullptr);
  const std::string came = "the folder browser " + Quote(title) + " opened";
  if (!st) Stop(nullptr, came + ", but the scenario has no steps left");
  if (st->kind != Step::Browse) Stop(st, came + " before this step");
  if (st->title && *st->title != title) failures_->Add(st->line, st->source, "browser title " + Quote(title));
  ++next_;
  if (st->cancel) return false;
  *path = st->text;
  return true;
}

bool ScenarioUser::TakeRerun() {
  while (next_ < steps_.size() && steps_[next_].kind == Step::Shot) ++next_;
  if (next_ >= steps_.size() || steps_[next_].kind != Step::Rerun) return false;
  ++next_;
  haveCurrent_ = false;
  current_.clear();
  return true;
}

std::vector<const Step*> ScenarioUser::Leftover() const {
  std::vector<const Step*> left;
  for (size_t i = next_; i < steps_.size(); ++i)
    if (steps_[i].kind != Step::Shot) left.push_back(&steps_[i]);
  return left;
}

}  // namespace scenario_sim
