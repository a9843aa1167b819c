// A user who follows a script: each step names the dialog or box it expects
// next and what to do there. Anything else that comes up stops the test with
// a message saying what came and what was expected.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace sim {

class ScriptedUser : public User {
 public:
  // In dialog templateId, do action; check, when given, looks at the dialog
  // first (the machine is live: M().gui shows every window).
  ScriptedUser& Do(int templateId, Action action, std::function<void(const DialogView&)> check = nullptr);
  // Answer the next box, which must have this caption (and, when textPart is
  // not empty, contain it in its text).
  ScriptedUser& Answer(const std::string& caption, int button, const std::string& textPart = "");
  // The folder browser: choose a path, or cancel.
  ScriptedUser& BrowseTo(const std::string& path);
  ScriptedUser& CancelBrowse();

  int AnswerBox(const Event& box) override;
  Action Act(const DialogView& dialog) override;
  bool Browse(const std::string& title, std::string* path) override;

  // The steps not taken yet, one line each; empty when the script ran out.
  std::string Leftover() const;

 private:
  struct Step {
    enum Kind { Dialog, Box, Folder } kind = Dialog;
    int templateId = 0;
    Action action = Action::PressEnter();
    std::function<void(const DialogView&)> check;
    std::string caption, textPart;
    int button = 0;
    bool choose = false;
    std::string path;
  };
  static std::string Describe(const Step& step);
  const Step& Next(const std::string& what);

  std::vector<Step> steps_;
  size_t next_ = 0;
};

// ---- reading the transcript --------------------------------------------------------
// One line per event, for failure messages and for comparing whole runs.
std::string Describe(const Event& event);
std::string Describe(const std::vector<Event>& transcript);
// The events of one kind, in order.
std::vector<Event> EventsOf(const std::vector<Event>& transcript, Event::Kind kind);
// Template ids of the dialogs shown, in order.
std::vector<int> DialogsShown(const std::vector<Event>& transcript);
// The exit code of the last run (-1 when no run ended).
long long ExitCode(const std::vector<Event>& transcript);

}  // namespace sim
