#include "tests/sim/gui_fixture.h"

namespace simtest {

Probe* g_probe = nullptr;

os::INT_PTR OS_WINAPI ProbeProc(os::HWND hwnd, os::UINT msg, os::WPARAM w, os::LPARAM l) {
  g_probe->received.push_back({msg, w, l});
  if (g_probe->handler) return g_probe->handler(hwnd, msg, w, l);
  if (msg == os::WM_COMMAND && os::HIWORD(w) == os::BN_CLICKED) {
    os::EndDialog(hwnd, os::LOWORD(w));
    return os::TRUE;
  }
  return os::FALSE;
}

void GuiTest::SetUp() {
  std::string error;
  ASSERT_TRUE(m.gui.resources.LoadFile(GUI_TEST_RES, &error)) << error;
  g_probe = &probe;
}

void GuiTest::TearDown() {
  g_probe = nullptr;
  EXPECT_EQ("", user.Leftover()) << "steps of the script never came";
}

os::INT_PTR GuiTest::Modal(int templateId, os::HWND owner) {
  return os::DialogBoxParamA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(templateId), owner, &ProbeProc, 0);
}

os::HWND GuiTest::Modeless(int templateId, os::HWND owner) {
  return os::CreateDialogParamA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(templateId), owner, &ProbeProc, 0);
}

}  // namespace simtest
