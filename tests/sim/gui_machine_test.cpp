// Other programs' windows and mutexes, GDI objects, colours and painting,
// and what a run of the process starts with and leaves behind.
#include "platform/sim/gui_state.h"
#include "platform/sim/process.h"
#include "tests/sim/gui_fixture.h"

namespace simtest {
namespace {

using sim::Action;
using MachineTest = GuiTest;

TEST_F(MachineTest, FindWindowMatchesTheWholeTitleExactly) {
  const os::HWND product = m.gui.AddOtherWindow("Testanza", "TzMain");
  const os::HWND beta = m.gui.AddOtherWindow("Testanza BETA 1");
  const os::HWND closed = m.gui.AddOtherWindow("Testanza BETA 2");
  m.gui.CloseOtherWindow(closed);
  Run([&] {
    EXPECT_EQ(product, os::FindWindowA(nullptr, "Testanza"));
    EXPECT_EQ(beta, os::FindWindowA(nullptr, "Testanza BETA 1"));
    EXPECT_EQ(nullptr, os::FindWindowA(nullptr, "Testanza BETA 2"));
    EXPECT_EQ(nullptr, os::FindWindowA(nullptr, "testanza"));
    EXPECT_EQ(nullptr, os::FindWindowA(nullptr, "Testanza BETA"));
    EXPECT_EQ(product, os::FindWindowA("tzmain", nullptr));
    // The process's own dialogs are top-level windows too.
    const os::HWND own = Modeless(102);
    os::SetWindowTextA(own, "Own");
    EXPECT_EQ(own, os::FindWindowA("#32770", "Own"));
    return 0;
  });
}

TEST_F(MachineTest, PostedMessagesAreKeptForTheirWindow) {
  const os::HWND product = m.gui.AddOtherWindow("Testanza");
  Run([&] {
    EXPECT_TRUE(os::PostMessageA(product, os::WM_USER + 0x101, 0, 0));
    EXPECT_FALSE(os::PostMessageA(reinterpret_cast<os::HWND>(0x1234), os::WM_CLOSE, 0, 0));
    EXPECT_EQ(1400u, os::GetLastError());
    return 0;
  });
  ASSERT_EQ(1u, m.gui.posted.size());
  EXPECT_EQ(product, m.gui.posted[0].window);
  EXPECT_EQ("Testanza", m.gui.posted[0].title);
  EXPECT_EQ(0x501u, m.gui.posted[0].message);
}

// Posted to the process's own dialog, a message arrives when the modal loop
// next runs, not before.
TEST_F(MachineTest, MessagesPostedToTheProcessArriveInTheModalLoop) {
  user.Do(100, Action::PressEscape(), [&](const sim::DialogView&) { EXPECT_EQ(1, probe.Count(os::WM_USER)); });
  probe.handler = [&](os::HWND h, os::UINT msg, os::WPARAM w, os::LPARAM) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) {
      os::PostMessageA(h, os::WM_USER, 0, 0);
      EXPECT_EQ(0, probe.Count(os::WM_USER));
    }
    if (msg == os::WM_COMMAND && os::LOWORD(w) == os::IDCANCEL) os::EndDialog(h, 2);
    return os::FALSE;
  };
  Run([] { return static_cast<int>(Modal(100)); });
}

// ---- mutexes --------------------------------------------------------------------------
struct MutexCase {
  const char* name;
  bool heldElsewhere;
  bool fault;
  bool release, close;
  // expected
  bool gotHandle;
  os::DWORD lastError;
  bool letGo;
};

void PrintTo(const MutexCase& c, std::ostream* os) { *os << c.name; }

class MutexTest : public GuiTest, public ::testing::WithParamInterface<MutexCase> {};

TEST_P(MutexTest, ProbeAndLetGo) {
  const MutexCase c = GetParam();
  if (c.heldElsewhere) m.gui.HoldMutexElsewhere("KV_TZ_Mutex");
  if (c.fault) m.Fail("CreateMutexA", "KV_TZ_Mutex");
  Run([&] {
    const os::HANDLE h = os::CreateMutexA(nullptr, os::TRUE, "KV_TZ_Mutex");
    EXPECT_EQ(c.gotHandle, h != nullptr);
    EXPECT_EQ(c.lastError, os::GetLastError());
    if (c.release) {
      EXPECT_EQ(c.gotHandle && !c.heldElsewhere, os::ReleaseMutex(h) != os::FALSE);
    }
    if (c.close) {
      EXPECT_EQ(c.gotHandle, os::CloseHandle(h) != os::FALSE);
    }
    return 0;
  });
  const sim::NamedMutex& mx = m.gui.mutexes["KV_TZ_Mutex"];
  EXPECT_EQ(c.letGo, mx.LetGo());
  // When the process has gone, the mutex exists only if another holds it.
  EXPECT_EQ(c.heldElsewhere, mx.Exists());
}

INSTANTIATE_TEST_SUITE_P(Cases, MutexTest,
                         ::testing::Values(MutexCase{"NewReleasedAndClosed", false, false, true, true, true, 0, true},
                                           MutexCase{"HeldElsewhereClosed", true, false, true, true, true, 183, true},
                                           MutexCase{"CannotBeMade", false, true, true, true, false, 5, true},
                                           MutexCase{"NewClosedWhileOwned", false, false, false, true, true, 0, false},
                                           MutexCase{"NewLeftToTheExit", false, false, true, false, true, 0, false},
                                           MutexCase{"HeldElsewhereLeftOpen", true, false, true, false, true, 183,
                                                     false}),
                         [](const ::testing::TestParamInfo<MutexCase>& info) { return std::string(info.param.name); });

TEST_F(MachineTest, ASecondOpenOfTheProcessDoesNotOwnIt) {
  Run([] {
    const os::HANDLE first = os::CreateMutexA(nullptr, os::TRUE, "M");
    const os::HANDLE second = os::CreateMutexA(nullptr, os::TRUE, "M");
    EXPECT_EQ(183u, os::GetLastError());
    EXPECT_NE(first, second);
    EXPECT_TRUE(os::ReleaseMutex(first));
    EXPECT_FALSE(os::ReleaseMutex(second));
    EXPECT_EQ(288u, os::GetLastError());  // ERROR_NOT_OWNER
    os::CloseHandle(second);
    EXPECT_TRUE(sim::M().gui.mutexes["M"].Exists());
    os::CloseHandle(first);
    EXPECT_FALSE(os::CloseHandle(first));
    EXPECT_EQ(6u, os::GetLastError());
    return 0;
  });
  EXPECT_FALSE(m.gui.mutexes["M"].Exists());
  EXPECT_TRUE(m.gui.mutexes["M"].LetGo());
}

// ---- GDI ------------------------------------------------------------------------------
TEST_F(MachineTest, EachDeleteIsCountedAndMistakesAreKept) {
  os::HBRUSH brush = nullptr;
  os::HFONT font = nullptr;
  m.Fail("CreateFontA", "Logo_Font");
  Run([&] {
    brush = os::CreateSolidBrush(0x880000);
    font = os::CreateFontA(51, 27, 0, 0, 800, 0, 0, 0, 0, 5, 0, 2, 0x22, "KV_Font");
    EXPECT_EQ(nullptr, os::CreateFontA(25, 13, 0, 0, 800, 0, 1, 0, 0, 5, 0, 2, 0x22, "Logo_Font"));
    EXPECT_TRUE(os::DeleteObject(brush));
    EXPECT_TRUE(os::DeleteObject(font));
    EXPECT_FALSE(os::DeleteObject(font));
    EXPECT_FALSE(os::DeleteObject(reinterpret_cast<os::HGDIOBJ>(0x4321)));
    EXPECT_FALSE(os::DeleteObject(nullptr));
    return 0;
  });
  EXPECT_EQ(1, m.gui.DeleteCount(brush));
  EXPECT_EQ(2, m.gui.DeleteCount(font));
  EXPECT_EQ(0x880000u, m.gui.Object(brush)->color);
  ASSERT_EQ(2u, m.gui.process.gdiErrors.size());
  EXPECT_NE(std::string::npos, m.gui.process.gdiErrors[0].find("deleted twice"));
  EXPECT_NE(std::string::npos, m.gui.process.gdiErrors[1].find("never created"));
  // Every request is kept, the failed one with no font.
  const auto& requests = m.gui.process.fontRequests;
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ(51, requests[0].height);
  EXPECT_EQ(27, requests[0].width);
  EXPECT_EQ(800, requests[0].weight);
  EXPECT_EQ(5u, requests[0].outPrecision);
  EXPECT_EQ(2u, requests[0].quality);
  EXPECT_EQ(0x22u, requests[0].pitchAndFamily);
  EXPECT_EQ("KV_Font", requests[0].face);
  EXPECT_EQ(1u, requests[1].underline);
  EXPECT_EQ(nullptr, requests[1].result);
}

TEST_F(MachineTest, ScreenMetrics) {
  m.gui.screenWidth = 800;
  m.gui.screenHeight = 600;
  Run([] {
    EXPECT_EQ(800, os::GetSystemMetrics(os::SM_CXSCREEN));
    EXPECT_EQ(600, os::GetSystemMetrics(os::SM_CYSCREEN));
    EXPECT_EQ(32, os::GetSystemMetrics(os::SM_CXICON));
    EXPECT_EQ(32, os::GetSystemMetrics(os::SM_CYICON));
    return 0;
  });
}

// A dialog that paints its statics white on its own brush.
TEST_F(MachineTest, ColourRequestsShowWhatTheHandlerSet) {
  os::HBRUSH brush = nullptr;
  probe.handler = [&](os::HWND, os::UINT msg, os::WPARAM w, os::LPARAM l) -> os::INT_PTR {
    if (msg == os::WM_INITDIALOG) brush = os::CreateSolidBrush(0x880000);
    if (msg < os::WM_CTLCOLORMSGBOX || msg > os::WM_CTLCOLORSTATIC) return os::FALSE;
    if (os::GetDlgCtrlID(reinterpret_cast<os::HWND>(l)) == 1001) {
      os::SetTextColor(reinterpret_cast<os::HDC>(w), 0xFFFFFF);
      os::SetBkColor(reinterpret_cast<os::HDC>(w), 0x880000);
    }
    return reinterpret_cast<os::INT_PTR>(brush);
  };
  os::HWND h = nullptr;
  Run([&] {
    h = Modeless(102);
    const sim::ColorAnswer again = sim::RequestColor(h, 1000);
    EXPECT_EQ(brush, again.brush);
    EXPECT_FALSE(again.textSet);
    return 0;
  });
  // The first paint, when the dialog was shown, asked for every colour.
  const sim::Window* d = m.gui.Find(h);
  EXPECT_EQ(brush, d->color.brush);
  const sim::ColorAnswer vendor = m.gui.Control(h, 1001)->color;
  EXPECT_TRUE(vendor.asked);
  EXPECT_EQ(brush, vendor.brush);
  EXPECT_EQ(0xFFFFFFu, vendor.text);
  EXPECT_EQ(0x880000u, vendor.back);
  EXPECT_TRUE(vendor.textSet && vendor.backSet);
}

TEST_F(MachineTest, WithoutAHandlerTheSystemColoursApply) {
  os::HWND h = nullptr;
  Run([&] {
    h = Modeless(102);
    return 0;
  });
  const sim::ColorAnswer answer = m.gui.Control(h, 1000)->color;
  EXPECT_TRUE(answer.asked);
  ASSERT_NE(nullptr, answer.brush);
  EXPECT_FALSE(m.gui.Object(answer.brush)->program);
  EXPECT_FALSE(answer.textSet);
}

// A minimised dialog draws its icon in its paint context.
TEST_F(MachineTest, PaintingAMinimisedDialog) {
  m.gui.iconicTemplates.insert(102);
  probe.handler = [](os::HWND h, os::UINT msg, os::WPARAM, os::LPARAM) -> os::INT_PTR {
    if (msg != os::WM_PAINT || !os::IsIconic(h)) return os::FALSE;
    os::PAINTSTRUCT ps;
    const os::HDC dc = os::BeginPaint(h, &ps);
    os::SendMessageA(h, os::WM_ICONERASEBKGND, reinterpret_cast<os::WPARAM>(dc), 0);
    os::DrawIcon(dc, 3, 4, os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128)));
    os::EndPaint(h, &ps);
    // The context is gone after EndPaint.
    EXPECT_FALSE(os::DrawIcon(dc, 0, 0, os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128))));
    return os::TRUE;
  };
  os::HWND h = nullptr;
  Run([&] {
    h = Modeless(102);
    sim::PaintDialog(h);
    return 0;
  });
  ASSERT_EQ(2u, m.gui.process.draws.size());
  const sim::IconDraw& d = m.gui.process.draws[0];
  EXPECT_EQ(h, d.window);
  EXPECT_EQ(3, d.x);
  EXPECT_EQ(4, d.y);
  EXPECT_EQ(128, m.gui.IconGroup(d.icon));
  int erase = 0;
  for (const sim::WindowMessage& sent : m.gui.process.sent) erase += sent.message == os::WM_ICONERASEBKGND;
  EXPECT_EQ(2, erase);
}

TEST_F(MachineTest, SentMessagesAreRecordedAndSetWhatTheyName) {
  Run([&] {
    const os::HWND h = Modeless(102);
    const os::HFONT font = os::CreateFontA(10, 5, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Face");
    os::SendMessageA(os::GetDlgItem(h, 1000), os::WM_SETFONT, reinterpret_cast<os::WPARAM>(font), 0);
    const os::HICON icon = os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128));
    os::SendMessageA(h, os::WM_SETICON, os::ICON_BIG, reinterpret_cast<os::LPARAM>(icon));
    EXPECT_EQ(font, m.gui.Control(h, 1000)->font);
    EXPECT_NE(font, m.gui.Control(h, 1001)->font);
    EXPECT_EQ(icon, m.gui.Find(h)->bigIcon);
    EXPECT_EQ(nullptr, m.gui.Find(h)->smallIcon);
    EXPECT_TRUE(os::MoveWindow(os::GetDlgItem(h, 1000), 51, 96, 1004, 748, os::TRUE));
    return 0;
  });
  ASSERT_EQ(2u, m.gui.process.sent.size());
  EXPECT_EQ(os::WM_SETFONT, m.gui.process.sent[0].message);
  EXPECT_EQ(0, m.gui.process.sent[0].lParam);
  const sim::Window* tagline = m.gui.Control(m.gui.Dialog(102)->hwnd, 1000);
  EXPECT_EQ(51, tagline->rect.left);
  EXPECT_EQ(96 + 748, tagline->rect.bottom);
  EXPECT_EQ(1, tagline->moves);
}

// ---- the process ---------------------------------------------------------------------------
TEST_F(MachineTest, EachRunStartsFresh) {
  int starts = 0;
  Run([&] {
    os::SetLastError(99);
    os::CreateSolidBrush(1);
    Modeless(102);
    ++starts;
    return 3;
  });
  EXPECT_EQ(3, sim::ExitCode(m.transcript));
  Run([&] {
    EXPECT_EQ(0u, os::GetLastError());
    EXPECT_EQ(nullptr, os::GetActiveWindow());
    EXPECT_TRUE(m.gui.process.gdi.empty());
    ++starts;
    return 0;
  });
  EXPECT_EQ(2, starts);
}

// Handles of every kind close when the process ends; their owners hear of it.
TEST_F(MachineTest, KernelHandlesCloseWithTheProcess) {
  std::vector<std::string> closed;
  Run([&]() -> int {
    sim::NewKernelHandle("file", [&] { closed.push_back("a"); });
    const os::HANDLE b = sim::NewKernelHandle("file", [&] { closed.push_back("b"); });
    sim::NewKernelHandle("file", [&] { closed.push_back("c"); });
    EXPECT_STREQ("file", sim::KernelHandleKind(b));
    EXPECT_TRUE(os::CloseHandle(b));
    EXPECT_EQ(nullptr, sim::KernelHandleKind(b));
    os::exit(0);
  });
  EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), closed);
}

}  // namespace
}  // namespace simtest
