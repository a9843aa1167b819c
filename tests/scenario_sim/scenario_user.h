// The person at the simulated machine, playing a scenario's steps: each time
// the program shows a box, waits in a dialog or opens the folder browser, the
// next steps say what must be on the screen and what the user does. Anything
// the steps do not expect stops the run with the step and what came instead.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "tests/scenario/scenario.h"
#include "tests/scenario_sim/failures.h"

namespace scenario_sim {

class ScenarioUser : public sim::User {
 public:
  ScenarioUser(const std::vector<scenario::Step>& steps, Failures* failures)
      : steps_(steps), failures_(failures) {}

  int AnswerBox(const sim::Event& box) override;
  sim::Action Act(const sim::DialogView& dialog) override;
  bool Browse(const std::string& title, std::string* path) override;

  // Once the program has ended: true, and the step is used up, when the
  // scenario starts it again next.
  bool TakeRerun();
  // The steps never reached (screenshots aside).
  std::vector<const scenario::Step*> Leftover() const;

 private:
  // Runs the checks and screenshots that stand next; returns the step after
  // them, or null at the end. view: the dialog asking, when one is.
  const scenario::Step* NextActive(const sim::DialogView* view);
  void Check(const scenario::Step& step, const sim::DialogView* view);
  [[noreturn]] void Stop(const scenario::Step* step, const std::string& what) const;

  const std::vector<scenario::Step>& steps_;
  Failures* failures_;
  size_t next_ = 0;
  bool haveCurrent_ = false;
  std::string current_;  // the caption of the window the last wait found
};

}  // namespace scenario_sim
