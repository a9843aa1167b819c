// Our framework's dialogs and application message box on the simulated
// machine: the same code paths setup.exe takes on Windows.
#include "platform/framework.h"
#include "platform/sim/gui_state.h"
#include "tests/sim/gui_fixture.h"

namespace simtest {
namespace {

using sim::Action;

class FormDlg : public CDialog {
 public:
  FormDlg() : CDialog(100) {}
  CString name;
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 1001, name); }
  void OnGo() {
    UpdateData(os::TRUE);
    EndDialog(1010);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FormDlg, CDialog)
ON_BN_CLICKED(FormDlg, 1010, OnGo)
END_MESSAGE_MAP()

using FrameworkTest = GuiTest;

TEST_F(FrameworkTest, DataExchangeBothWays) {
  user.Do(100, Action::TypeInto(1001, "D:\\New"),
          [](const sim::DialogView& v) { EXPECT_EQ("C:\\Old", v.textOf(1001)); })
      .Do(100, Action::ClickOn(1010));
  Run([] {
    FormDlg form;
    form.name = "C:\\Old";
    EXPECT_EQ(1010, form.DoModal());
    EXPECT_STREQ("D:\\New", form.name);
    return 0;
  });
}

// Without a parent or a main window, the active window owns the dialog and
// is disabled meanwhile; the dialog commands end it through OnCancel.
TEST_F(FrameworkTest, ModalOverAModelessBackdrop) {
  os::HWND backdrop = nullptr;
  user.Do(100, Action::CloseBox(), [&](const sim::DialogView&) { EXPECT_FALSE(os::IsWindowEnabled(backdrop)); });
  Run([&] {
    CDialog* back = new CDialog(102);  // lives on, as the program's backdrop does
    EXPECT_TRUE(back->Create(102));
    backdrop = back->m_hWnd;
    FormDlg form;
    EXPECT_EQ(os::IDCANCEL, form.DoModal());
    EXPECT_TRUE(os::IsWindowEnabled(backdrop));
    EXPECT_EQ(nullptr, form.m_hWnd);
    back->DestroyWindow();
    EXPECT_EQ(nullptr, back->m_hWnd);
    delete back;
    return 0;
  });
  EXPECT_EQ(backdrop, m.gui.Dialog(100)->owner);
  EXPECT_EQ((std::vector<int>{102, 100}), sim::DialogsShown(m.transcript));
}

class BoxApp : public CWinApp {
 public:
  os::BOOL InitInstance() override {
    AfxMessageBox("Cannot install", os::MB_ICONERROR);
    return os::FALSE;
  }
};

TEST_F(FrameworkTest, TheApplicationBoxIsCaptionedWithTheProgramsName) {
  m.gui.moduleFileName = "C:\\Downloads\\TZSETUP.EXE";
  user.Answer("TZSETUP", os::IDOK, "Cannot install");
  BoxApp app;
  Run([] { return AfxWinMain(); });
  const auto boxes = sim::EventsOf(m.transcript, sim::Event::MessageBox);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(0x10u, boxes[0].style);
  EXPECT_EQ("", boxes[0].owner);
}

}  // namespace
}  // namespace simtest
