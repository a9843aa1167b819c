// The guard against a running copy of the product, through the real start-up.
#include <string>
#include <vector>

#include "tests/installer/installer_fixture.h"

using sim::Action;
using sim::Event;

namespace {
struct GuardCase {
  const char* name;
  bool mutexHeld;
  std::vector<std::string> windows;  // other programs' top-level windows
  int noticeAnswer;                  // 0: no notice expected
  int postedTo;                      // index into windows, -1: nothing posted
  const char* finalBox;              // "closed", "still", or "" for none
  bool installs;                     // the install dialog follows
};

const char kNotice[] =
    "A version of Testanza is currently running\r\nand must be closed before installation can continue.\r\n\r\n"
    "This installation program will attempt to close it,\r\nbut it may be necessary to close Testanza manually "
    "before continuing.";
}  // namespace

class GuardTest : public InstallerTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(GuardTest, BoxesPostsExitAndMutex) {
  const GuardCase& c = GetParam();
  if (c.mutexHeld) m.gui.HoldMutexElsewhere("KV_TZ_Mutex");
  std::vector<os::HWND> handles;
  for (const std::string& title : c.windows) handles.push_back(m.gui.AddOtherWindow(title));
  if (c.noticeAnswer) user.Answer("NOTICE", c.noticeAnswer, "currently running");
  if (std::string(c.finalBox) == "closed") user.Answer("OK", os::IDOK);
  if (std::string(c.finalBox) == "still") user.Answer("Install Testanza", os::IDOK);
  if (c.installs) user.Do(kInstall, Action::PressEscape());

  const int code = Run();
  const auto boxes = sim::EventsOf(m.transcript, Event::MessageBox);
  size_t next = 0;
  if (c.noticeAnswer) {
    ASSERT_GT(boxes.size(), next);
    EXPECT_EQ(boxes[next].text, kNotice);
    EXPECT_EQ(boxes[next].style, 0x31u);
    EXPECT_EQ(boxes[next].templateId, 0);
    ++next;
  }
  if (std::string(c.finalBox) == "closed") {
    ASSERT_GT(boxes.size(), next);
    EXPECT_EQ(boxes[next].text, "Testanza has been closed, installation can continue");
    EXPECT_EQ(boxes[next].style, 0u);
    EXPECT_EQ(boxes[next].templateId, 0);
    ++next;
  }
  if (std::string(c.finalBox) == "still") {
    ASSERT_GT(boxes.size(), next);
    EXPECT_EQ(boxes[next].text,
              "An instance of Testanza is currently running:\r\nPlease close Testanza before attempting this "
              "installation.");
    EXPECT_EQ(boxes[next].style, 0x40u);
    EXPECT_EQ(boxes[next].templateId, 0);
    ++next;
  }
  EXPECT_EQ(boxes.size(), next);

  if (c.postedTo >= 0) {
    ASSERT_EQ(m.gui.posted.size(), 1u);
    EXPECT_EQ(m.gui.posted[0].window, handles[c.postedTo]);
    EXPECT_EQ(m.gui.posted[0].message, 0x501u);
    EXPECT_EQ(m.gui.posted[0].wParam, 0u);
    EXPECT_EQ(m.gui.posted[0].lParam, 0);
  } else {
    EXPECT_TRUE(m.gui.posted.empty());
  }
  if (!c.installs) EXPECT_EQ(code, 0);
  const std::vector<int> shown = sim::DialogsShown(m.transcript);
  EXPECT_EQ(!shown.empty() && shown.back() == kInstall, c.installs);
  const sim::NamedMutex& mutex = m.gui.mutexes["KV_TZ_Mutex"];
  EXPECT_TRUE(mutex.LetGo());
  EXPECT_EQ(mutex.opened, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardTest,
    ::testing::Values(
        GuardCase{"NoMutex", false, {"Testanza"}, 0, -1, "", true},
        GuardCase{"MutexNoWindow", true, {}, 0, -1, "", true},
        GuardCase{"TestanzaAlone", true, {"Testanza"}, os::IDOK, 0, "closed", true},
        GuardCase{"Beta3ThenBeta7", true, {"Testanza BETA 7", "Testanza BETA 3"}, os::IDOK, 1, "still", false},
        GuardCase{"TestanzaAndBeta2", true, {"Testanza BETA 2", "Testanza"}, os::IDOK, 1, "still", false},
        GuardCase{"TwoBeta9", true, {"Testanza BETA 9", "Testanza BETA 9"}, os::IDOK, 0, "closed", true},
        GuardCase{"CancelInNotice", true, {"Testanza"}, os::IDCANCEL, -1, "", false},
        GuardCase{"TitleOnlyBegins", true, {"Testanza BETA 10", "Testanza Viewer"}, 0, -1, "", true}),
    [](const ::testing::TestParamInfo<GuardCase>& i) { return std::string(i.param.name); });
