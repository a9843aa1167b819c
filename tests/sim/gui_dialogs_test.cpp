// Dialogs built from the templates: what the user's actions send, how a
// modal run starts and ends, its owner, modeless dialogs and destruction.
#include <algorithm>

#include "platform/sim/gui_state.h"
#include "tests/sim/gui_fixture.h"

namespace simtest {
namespace {

using sim::Action;
using DialogTest = GuiTest;

struct ActionCase {
  const char* name;
  int templateId;
  std::vector<Action> actions;
  os::INT_PTR endCode;
};

void PrintTo(const ActionCase& c, std::ostream* os) { *os << c.name; }

class DialogActionTest : public GuiTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(DialogActionTest, EndsWithTheCommandItSends) {
  const ActionCase& c = GetParam();
  for (const Action& a : c.actions) user.Do(c.templateId, a);
  EXPECT_EQ(0, Run([&] {
              EXPECT_EQ(c.endCode, Modal(c.templateId));
              return 0;
            }));
  const auto shown = sim::EventsOf(m.transcript, sim::Event::DialogShown);
  const auto ended = sim::EventsOf(m.transcript, sim::Event::DialogEnded);
  ASSERT_EQ(1u, shown.size());
  ASSERT_EQ(1u, ended.size());
  EXPECT_EQ(c.templateId, ended[0].templateId);
  EXPECT_EQ(c.endCode, ended[0].result);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, DialogActionTest,
    ::testing::Values(
        ActionCase{"ClickGo", 100, {Action::ClickOn(1010)}, 1010},
        ActionCase{"ClickStop", 100, {Action::ClickOn(1003)}, 1003},
        ActionCase{"EnterPressesTheDefaultButton", 100, {Action::PressEnter()}, 1010},
        ActionCase{"EnterWithoutDefaultButtonIsOk", 101, {Action::PressEnter()}, os::IDOK},
        ActionCase{"EscapeIsCancel", 100, {Action::PressEscape()}, os::IDCANCEL},
        ActionCase{"CloseBoxIsCancel", 100, {Action::CloseBox()}, os::IDCANCEL},
        ActionCase{"CloseBoxPressesTheCancelButton", 101, {Action::CloseBox()}, os::IDCANCEL},
        ActionCase{"DisabledButtonDoesNothing", 100, {Action::ClickOn(1004), Action::ClickOn(1003)}, 1003},
        ActionCase{
            "ReadOnlyEditTakesNoTyping", 100, {Action::TypeInto(1002, "x"), Action::PressEscape()}, os::IDCANCEL}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// The command carries the pressed button's window; the close box goes
// through WM_SYSCOMMAND and WM_CLOSE first, as on Windows.
TEST_F(DialogTest, CommandsCarryTheControlAndCloseGoesThroughTheSystemMenu) {
  user.Do(101, Action::CloseBox());
  os::LPARAM control = 0;
  os::HWND cancel = nullptr;
  probe.handler = [&](os::HWND h, os::UINT msg, os::WPARAM w, os::LPARAM l) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) cancel = os::GetDlgItem(h, os::IDCANCEL);
    if (msg == os::WM_COMMAND) {
      control = l;
      os::EndDialog(h, os::LOWORD(w));
      return os::TRUE;
    }
    return os::FALSE;
  };
  EXPECT_EQ(os::IDCANCEL, Run([] { return static_cast<int>(Modal(101)); }));
  ASSERT_NE(nullptr, cancel);
  EXPECT_EQ(reinterpret_cast<os::LPARAM>(cancel), control);
  const auto msgs = probe.Messages();
  const auto at = [&](os::UINT msg) { return std::find(msgs.begin(), msgs.end(), msg) - msgs.begin(); };
  EXPECT_LT(at(os::WM_SYSCOMMAND), at(os::WM_CLOSE));
  EXPECT_LT(at(os::WM_CLOSE), at(os::WM_COMMAND));
}

TEST_F(DialogTest, TypingReplacesTheTextAndReportsTheChange) {
  user.Do(100, Action::TypeInto(1001, "D:\\Apps")).Do(100, Action::ClickOn(1010), [](const sim::DialogView& v) {
    EXPECT_EQ("D:\\Apps", v.textOf(1001));
  });
  std::string seen;
  probe.handler = [&](os::HWND h, os::UINT msg, os::WPARAM w, os::LPARAM) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) os::SetDlgItemTextA(h, 1001, "C:\\Old");
    if (msg == os::WM_COMMAND && os::HIWORD(w) == os::EN_CHANGE) {
      char text[64];
      os::GetDlgItemTextA(h, os::LOWORD(w), text, sizeof text);
      seen += std::string(text) + ";";
    }
    if (msg == os::WM_COMMAND && os::HIWORD(w) == os::BN_CLICKED) os::EndDialog(h, os::LOWORD(w));
    return os::FALSE;
  };
  Run([] { return static_cast<int>(Modal(100)); });
  // Set-up's own text change is reported too, before the dialog is shown.
  EXPECT_EQ("C:\\Old;D:\\Apps;", seen);
}

// A multi-line edit does not report text set by the program, as on Windows.
TEST_F(DialogTest, OnlySingleLineEditsReportTextSetByTheProgram) {
  user.Do(100, Action::PressEscape());
  probe.handler = [&](os::HWND h, os::UINT msg, os::WPARAM w, os::LPARAM) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) {
      os::SetDlgItemTextA(h, 1002, "many\r\nlines");
      os::SetWindowTextA(os::GetDlgItem(h, 1001), "one");
    }
    if (msg == os::WM_COMMAND && os::LOWORD(w) == os::IDCANCEL) os::EndDialog(h, 2);
    return os::FALSE;
  };
  Run([] { return static_cast<int>(Modal(100)); });
  int changes = 0;
  for (const Received& r : probe.received)
    if (r.message == os::WM_COMMAND && os::HIWORD(r.wParam) == os::EN_CHANGE) {
      ++changes;
      EXPECT_EQ(1001, os::LOWORD(r.wParam));
    }
  EXPECT_EQ(1, changes);
}

TEST_F(DialogTest, EndedDuringSetUpItIsNeverShown) {
  probe.handler = [](os::HWND h, os::UINT msg, os::WPARAM, os::LPARAM) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) os::EndDialog(h, 7);
    return os::FALSE;
  };
  // The script is empty: asking the user anything would fail the test.
  EXPECT_EQ(7, Run([] { return static_cast<int>(Modal(100)); }));
  EXPECT_TRUE(sim::DialogsShown(m.transcript).empty());
  EXPECT_EQ(0, probe.Count(os::WM_PAINT));
  ASSERT_EQ(1u, sim::EventsOf(m.transcript, sim::Event::DialogEnded).size());
  EXPECT_EQ(1, probe.Count(os::WM_DESTROY));
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileTheModalDialogRuns) {
  os::HWND owner = nullptr;
  user.Do(100, Action::PressEscape(), [&](const sim::DialogView&) {
    EXPECT_FALSE(m.gui.Find(owner)->enabled);
    EXPECT_EQ(m.gui.Dialog(100)->hwnd, os::GetActiveWindow());
  });
  Run([&] {
    owner = Modeless(102);
    EXPECT_EQ(owner, os::GetActiveWindow());
    EXPECT_EQ(os::IDCANCEL, Modal(100, owner));
    EXPECT_TRUE(os::IsWindowEnabled(owner));
    EXPECT_EQ(owner, os::GetActiveWindow());
    return 0;
  });
  EXPECT_EQ(owner, m.gui.Dialog(100)->owner);
}

// An owner that was disabled before stays disabled after.
TEST_F(DialogTest, AnOwnerDisabledBeforeStaysDisabled) {
  user.Do(100, Action::PressEscape());
  Run([] {
    const os::HWND owner = Modeless(102);
    os::EnableWindow(owner, os::FALSE);
    Modal(100, owner);
    EXPECT_FALSE(os::IsWindowEnabled(owner));
    return 0;
  });
}

TEST_F(DialogTest, MissingTemplateGivesMinusOne) {
  Run([] {
    EXPECT_EQ(-1, Modal(555));
    EXPECT_EQ(1814u, os::GetLastError());
    EXPECT_EQ(nullptr, Modeless(555));
    return 0;
  });
  EXPECT_TRUE(probe.received.empty());
  EXPECT_EQ(1u, m.transcript.size());  // the exit only
}

TEST_F(DialogTest, InjectedFaultFailsTheCreationOnce) {
  m.Fail("DialogBoxParamA", "100", 0, 1);
  user.Do(100, Action::PressEscape());
  Run([] {
    EXPECT_EQ(-1, Modal(100));
    EXPECT_EQ(os::IDCANCEL, Modal(100));
    return 0;
  });
}

TEST_F(DialogTest, ModelessVisibleDialogIsShownAtOnceAndPainted) {
  Run([&] {
    const os::HWND h = Modeless(102);
    EXPECT_TRUE(os::IsWindow(h));
    // Creation: the template's font, the set-up, then the first paint.
    const auto msgs = probe.Messages();
    EXPECT_EQ((std::vector<os::UINT>{os::WM_SETFONT, os::WM_INITDIALOG, os::WM_PAINT}),
              std::vector<os::UINT>(msgs.begin(), msgs.begin() + std::min<size_t>(3, msgs.size())));
    EXPECT_EQ(1, probe.Count(os::WM_CTLCOLORDLG));
    EXPECT_EQ(2, probe.Count(os::WM_CTLCOLORSTATIC));
    probe.received.clear();
    EXPECT_TRUE(os::DestroyWindow(h));
    EXPECT_EQ((std::vector<os::UINT>{os::WM_DESTROY, os::WM_NCDESTROY}), probe.Messages());
    EXPECT_FALSE(os::IsWindow(h));
    EXPECT_FALSE(os::DestroyWindow(h));
    return 0;
  });
  EXPECT_EQ(std::vector<int>{102}, sim::DialogsShown(m.transcript));
  const auto ended = sim::EventsOf(m.transcript, sim::Event::DialogEnded);
  ASSERT_EQ(1u, ended.size());
  EXPECT_EQ("destroyed", ended[0].detail);
}

// Windows still open when the process ends vanish without a message.
TEST_F(DialogTest, WindowsDieWithTheProcess) {
  user.Do(100, Action::PressEnter());
  probe.handler = [](os::HWND, os::UINT msg, os::WPARAM, os::LPARAM) -> os::INT_PTR {
    if (msg == os::WM_COMMAND) os::exit(4);
    return os::FALSE;
  };
  os::HWND backdrop = nullptr;
  EXPECT_EQ(4, Run([&] {
              backdrop = Modeless(102);
              Modal(100, backdrop);
              ADD_FAILURE() << "exit returned";
              return 0;
            }));
  EXPECT_EQ(0, probe.Count(os::WM_DESTROY));
  EXPECT_FALSE(m.gui.Find(backdrop)->alive);
  EXPECT_EQ(4, sim::ExitCode(m.transcript));
  EXPECT_EQ(sim::Event::DialogShown, m.transcript[1].kind);
  EXPECT_EQ(sim::Event::Exit, m.transcript[2].kind);
}

TEST_F(DialogTest, DialogFromTemplatePlacement) {
  user.Do(100, Action::PressEscape(), [&](const sim::DialogView& v) {
    EXPECT_EQ("Form", v.caption);
    EXPECT_EQ("&Go", v.textOf(1010));
    const sim::Window* d = m.gui.Dialog(100);
    os::RECT client;
    ASSERT_TRUE(os::GetClientRect(d->hwnd, &client));
    // 200 x 100 dialog units of an 8-point MS Sans Serif.
    EXPECT_EQ(300, client.right);
    EXPECT_EQ(163, client.bottom);
    const sim::Window* go = m.gui.Control(d->hwnd, 1010);
    EXPECT_EQ(15, go->rect.left);
    EXPECT_EQ(130, go->rect.top);
    EXPECT_EQ(d->font, go->font);
    EXPECT_EQ("MS Sans Serif", m.gui.Object(d->font)->font.face);
  });
  Run([] { return static_cast<int>(Modal(100)); });
}

TEST_F(DialogTest, ImpossibleActionsFailTheTest) {
  struct Case {
    int templateId;
    Action action;
    const char* complaint;
  } cases[] = {
      {100, Action::ClickOn(999), "no control 999"},
      {100, Action::ClickOn(1001), "is of class edit, not button"},
      {100, Action::TypeInto(1010, "x"), "is of class button, not edit"},
      {102, Action::CloseBox(), "no close box"},
  };
  for (const Case& c : cases) {
    sim::ScriptedUser u;
    u.Do(c.templateId, c.action);
    try {
      sim::RunProcess(m, u, [&] { return static_cast<int>(Modal(c.templateId)); });
      ADD_FAILURE() << c.complaint << ": no failure";
    } catch (const sim::TestFailure& f) {
      EXPECT_NE(std::string::npos, std::string(f.what()).find(c.complaint)) << f.what();
    }
  }
}

}  // namespace
}  // namespace simtest
