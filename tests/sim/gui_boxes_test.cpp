// Message boxes: what the transcript keeps of them, their owner, and the
// answers a box can give; the scripted user's complaints.
#include "platform/sim/gui_state.h"
#include "tests/sim/gui_fixture.h"

namespace simtest {
namespace {

using sim::Action;
using BoxTest = GuiTest;

TEST_F(BoxTest, RecordsOwnerTextCaptionStyleAndAnswer) {
  user.Answer("NOTICE", os::IDCANCEL, "running")
      .Answer("ERROR", os::IDOK)
      .Do(100, Action::ClickOn(1010))
      .Answer("Note", os::IDNO, "overwrite");
  probe.handler = [](os::HWND h, os::UINT msg, os::WPARAM w, os::LPARAM) -> os::INT_PTR {
    // A box during set-up is owned by a dialog not yet shown.
    if (msg == os::WM_INITDIALOG) os::MessageBoxA(h, "bad", "ERROR", os::MB_ICONERROR);
    if (msg == os::WM_COMMAND && os::LOWORD(w) == 1010) {
      EXPECT_EQ(os::IDNO, os::MessageBoxA(os::GetDlgItem(h, 1010), "This will overwrite it", "Note",
                                          os::MB_YESNO | os::MB_ICONWARNING));
      os::EndDialog(h, 1);
    }
    return os::FALSE;
  };
  Run([] {
    EXPECT_EQ(os::IDCANCEL, os::MessageBoxA(nullptr, "A copy is running", "NOTICE", 0x31));
    Modal(100);
    return 0;
  });
  const auto boxes = sim::EventsOf(m.transcript, sim::Event::MessageBox);
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ("box \"NOTICE\" \"A copy is running\" style 0x31 owner none -> 2", sim::Describe(boxes[0]));
  EXPECT_EQ("box \"ERROR\" \"bad\" style 0x10 owner 100 \"Form\" (owner hidden) -> 1", sim::Describe(boxes[1]));
  // A control as owner stands for its dialog.
  EXPECT_EQ("box \"Note\" \"This will overwrite it\" style 0x34 owner 100 \"Form\" -> 7", sim::Describe(boxes[2]));
}

TEST_F(BoxTest, TheOwnerIsDisabledWhileTheBoxIsUp) {
  os::HWND owner = nullptr;
  struct Peek : sim::ScriptedUser {
    std::function<void()> atBox;
    int AnswerBox(const sim::Event& box) override {
      atBox();
      return ScriptedUser::AnswerBox(box);
    }
  } peek;
  peek.Answer("ERROR", os::IDOK);
  peek.atBox = [&] { EXPECT_FALSE(m.gui.Find(owner)->enabled); };
  sim::RunProcess(m, peek, [&] {
    owner = Modeless(102);
    os::MessageBoxA(owner, "text", "ERROR", os::MB_OK);
    EXPECT_TRUE(os::IsWindowEnabled(owner));
    return 0;
  });
}

struct AnswerCase {
  os::UINT style;
  int answer;
  bool possible;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
  *os << "style 0x" << std::hex << c.style << std::dec << " answer " << c.answer;
}

class BoxAnswerTest : public GuiTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(BoxAnswerTest, OnlyTheStylesButtonsCanAnswer) {
  const AnswerCase c = GetParam();
  user.Answer("Box", c.answer);
  bool failed = false;
  try {
    Run([&] {
      EXPECT_EQ(c.answer, os::MessageBoxA(nullptr, "text", "Box", c.style));
      return 0;
    });
  } catch (const sim::TestFailure& f) {
    failed = true;
    EXPECT_NE(std::string::npos, std::string(f.what()).find("no button that answers")) << f.what();
  }
  EXPECT_EQ(!c.possible, failed);
}

INSTANTIATE_TEST_SUITE_P(Styles, BoxAnswerTest,
                         ::testing::Values(AnswerCase{os::MB_OK, os::IDOK, true},
                                           AnswerCase{os::MB_OK | os::MB_ICONERROR, os::IDCANCEL, false},
                                           AnswerCase{os::MB_OKCANCEL | os::MB_ICONWARNING, os::IDCANCEL, true},
                                           AnswerCase{os::MB_OKCANCEL, os::IDYES, false},
                                           AnswerCase{os::MB_YESNO | os::MB_ICONWARNING, os::IDYES, true},
                                           AnswerCase{os::MB_YESNO, os::IDCANCEL, false},
                                           AnswerCase{os::MB_YESNOCANCEL, os::IDCANCEL, true},
                                           AnswerCase{os::MB_ICONINFORMATION, os::IDNO, false}));

TEST_F(BoxTest, TheScriptNamesWhatCameAndWhatWasExpected) {
  struct Case {
    std::function<void(sim::ScriptedUser&)> script;
    std::function<void()> program;
    const char* complaint;
  } cases[] = {
      {[](sim::ScriptedUser& u) { u.Answer("ERROR", os::IDOK); },
       [] { os::MessageBoxA(nullptr, "text", "NOTICE", os::MB_OK); },
       "unexpected box \"NOTICE\": \"text\"; expected box \"ERROR\""},
      {[](sim::ScriptedUser& u) { u.Answer("ERROR", os::IDOK, "disk"); },
       [] { os::MessageBoxA(nullptr, "no memory", "ERROR", os::MB_OK); }, "expected box \"ERROR\" with \"disk\""},
      {[](sim::ScriptedUser& u) { u.Do(101, Action::PressEnter()); }, [] { Modal(100); },
       "unexpected dialog 100 \"Form\"; expected dialog 101"},
      {[](sim::ScriptedUser&) {}, [] { os::MessageBoxA(nullptr, "text", "Late", os::MB_OK); },
       "the script has no steps left"},
  };
  for (const Case& c : cases) {
    sim::ScriptedUser u;
    c.script(u);
    try {
      sim::RunProcess(m, u, [&] {
        c.program();
        return 0;
      });
      ADD_FAILURE() << c.complaint << ": no failure";
    } catch (const sim::TestFailure& f) {
      EXPECT_NE(std::string::npos, std::string(f.what()).find(c.complaint)) << f.what();
    }
  }
}

TEST_F(BoxTest, FaultMakesTheBoxFail) {
  m.Fail("MessageBoxA", "ERROR", 0, 1);
  user.Answer("ERROR", os::IDOK);
  Run([] {
    EXPECT_EQ(0, os::MessageBoxA(nullptr, "text", "ERROR", os::MB_OK));
    EXPECT_EQ(os::IDOK, os::MessageBoxA(nullptr, "text", "ERROR", os::MB_OK));
    return 0;
  });
  EXPECT_EQ(1u, sim::EventsOf(m.transcript, sim::Event::MessageBox).size());
}

}  // namespace
}  // namespace simtest
