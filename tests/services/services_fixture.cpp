#include "services_fixture.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "platform/sim/process.h"

namespace services_test {

int AnsweringUser::AnswerBox(const sim::Event& box) {
  if ((box.style & 0xF) == os::MB_OK) return os::IDOK;
  if (answers.empty()) sim::FailTest("a question nobody expected: " + box.text);
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

sim::Action AnsweringUser::Act(const sim::DialogView& dialog) {
  sim::FailTest("a dialog nobody expected: " + dialog.caption);
}

bool AnsweringUser::Browse(const std::string& title, std::string*) {
  sim::FailTest("a folder browser nobody expected: " + title);
}

void PrintTo(const Box& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", \"" << box.caption << "\", 0x" << std::hex << box.style << std::dec << "}";
}

Box ErrorBox(const std::string& text) { return {text, "ERROR", os::MB_OK | os::MB_ICONINFORMATION}; }

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ServicesTest::ServicesTest() {
  std::string error;
  EXPECT_TRUE(machine.gui.resources.LoadFile(SERVICES_TEST_RES, &error)) << error;
}

void ServicesTest::Run(const std::function<void(CInstallDlg&)>& body) {
  sim::RunProcess(machine, user, [&] {
    CInstallDlg dlg;
    body(dlg);
    return 0;
  });
  EXPECT_TRUE(user.answers.empty()) << "questions that were never asked";
}

std::vector<Box> ServicesTest::Boxes() const {
  std::vector<Box> boxes;
  for (const sim::Event& e : machine.transcript) {
    if (e.kind == sim::Event::MessageBox) boxes.push_back({e.text, e.caption, e.style});
  }
  return boxes;
}

std::string ServicesTest::SampleText() { return ReadHostFile(SERVICES_SAMPLE); }

}  // namespace services_test
