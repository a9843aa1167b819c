// A simulated machine with a scripted user, on which each test runs the
// services of one install dialog as one process of the installer.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/machine.h"
#include "ui/install_dlg.h"

namespace services_test {

// Closes every information box and answers the questions from a script;
// a question without an answer, a dialog or the folder browser fails the test.
class AnsweringUser : public sim::User {
 public:
  std::deque<int> answers;
  int AnswerBox(const sim::Event& box) override;
  sim::Action Act(const sim::DialogView& dialog) override;
  bool Browse(const std::string& title, std::string* path) override;
};

struct Box {
  std::string text, caption;
  unsigned style;
  bool operator==(const Box& other) const {
    return text == other.text && caption == other.caption && style == other.style;
  }
};
void PrintTo(const Box& box, std::ostream* out);

// The service's own failure box: "ERROR", OK with the information icon.
Box ErrorBox(const std::string& text);

class ServicesTest : public ::testing::Test {
 protected:
  ServicesTest();

  // Runs body as one process of the installer, on an install dialog object
  // whose window is not made: the services use none of its controls.
  void Run(const std::function<void(CInstallDlg&)>& body);
  std::vector<Box> Boxes() const;

  // The payload's id in the test module, and the bytes it expands to.
  static constexpr unsigned kSampleId = 133;
  static std::string SampleText();

  sim::Machine machine;
  AnsweringUser user;
};

std::string ReadHostFile(const std::string& path);

}  // namespace services_test
