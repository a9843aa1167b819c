// Backdrop, welcome and agreement screens and every way out of the start-up.
#include <fstream>
#include <sstream>
#include <string>

#include "platform/framework.h"
#include "tests/installer/installer_fixture.h"

using sim::Action;
using sim::DialogView;
using sim::Event;

namespace {
class FrontScreensTest : public InstallerTest {
 protected:
  FrontScreensTest() { acceptFrontScreens = false; }
  sim::Window* Backdrop() { return m.gui.Dialog(kBackdrop); }
  std::vector<uint8_t> AgreementBytes() {
    const sim::Resource* r = m.gui.resources.Find(sim::ResId("TEXT"), sim::ResId(132));
    return r ? r->bytes : std::vector<uint8_t>();
  }
};

struct ScreenCase {
  int cx, cy;
  int vendorHeight, vendorWidth, vendorX, vendorY;
  int tagHeight, tagWidth, tagX, tagY;
};
}  // namespace

class BackdropLayoutTest : public FrontScreensTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(BackdropLayoutTest, FontsAndPlacementsFollowTheScreen) {
  const ScreenCase& c = GetParam();
  m.gui.screenWidth = c.cx;
  m.gui.screenHeight = c.cy;
  user.Do(kWelcome, Action::ClickOn(kOkButton), [&](const DialogView&) {
    sim::Window* b = Backdrop();
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->visible);
    EXPECT_EQ(b->rect.left, 0);
    EXPECT_EQ(b->rect.top, 0);
    EXPECT_EQ(b->rect.right, c.cx);
    EXPECT_EQ(b->rect.bottom, c.cy);
    const auto& fonts = m.gui.process.fontRequests;
    ASSERT_EQ(fonts.size(), 2u);
    const struct {
      const sim::FontRequest& f;
      int h, w, underline;
      const char* face;
      int id, x, y;
    } expect[] = {{fonts[0], c.vendorHeight, c.vendorWidth, 0, "KV_Font", 1001, c.vendorX, c.vendorY},
                  {fonts[1], c.tagHeight, c.tagWidth, 1, "Logo_Font", 1000, c.tagX, c.tagY}};
    for (const auto& e : expect) {
      SCOPED_TRACE(e.face);
      EXPECT_EQ(e.f.height, e.h);
      EXPECT_EQ(e.f.width, e.w);
      EXPECT_EQ(e.f.escapement, 0);
      EXPECT_EQ(e.f.orientation, 0);
      EXPECT_EQ(e.f.weight, 800);
      EXPECT_EQ(e.f.italic, 0u);
      EXPECT_EQ(e.f.underline, static_cast<os::DWORD>(e.underline));
      EXPECT_EQ(e.f.strikeOut, 0u);
      EXPECT_EQ(e.f.charSet, 0u);
      EXPECT_EQ(e.f.outPrecision, 5u);
      EXPECT_EQ(e.f.clipPrecision, 0u);
      EXPECT_EQ(e.f.quality, 2u);
      EXPECT_EQ(e.f.pitchAndFamily, 0x22u);
      EXPECT_EQ(e.f.face, e.face);
      sim::Window* s = m.gui.Control(b->hwnd, e.id);
      ASSERT_TRUE(s);
      EXPECT_EQ(s->rect.left, e.x);
      EXPECT_EQ(s->rect.top, e.y);
      EXPECT_EQ(s->rect.right - s->rect.left, c.cx - 20);
      EXPECT_EQ(s->rect.bottom - s->rect.top, c.cy - 20);
      EXPECT_EQ(s->font, e.f.result);
    }
  });
  user.Do(kAgreement, Action::ClickOn(kOkButton)).Do(kInstall, Action::PressEscape());
  Run();
}

INSTANTIATE_TEST_SUITE_P(Screens, BackdropLayoutTest,
                         ::testing::Values(ScreenCase{1024, 768, 51, 27, 51, 38, 25, 13, 51, 96},
                                           ScreenCase{800, 600, 40, 21, 40, 30, 20, 10, 40, 75},
                                           ScreenCase{640, 480, 32, 17, 32, 24, 16, 8, 32, 60}),
                         [](const ::testing::TestParamInfo<ScreenCase>& i) {
                           return std::to_string(i.param.cx) + "x" + std::to_string(i.param.cy);
                         });

TEST_F(FrontScreensTest, BackdropPaintsDarkBlueWithWhiteTexts) {
  user.Do(kWelcome, Action::ClickOn(kOkButton), [&](const DialogView&) {
    sim::Window* b = Backdrop();
    ASSERT_TRUE(b);
    const sim::ColorAnswer dialog = sim::RequestColor(b->hwnd, 0);
    const sim::GdiObject* brush = m.gui.Object(dialog.brush);
    ASSERT_TRUE(brush);
    EXPECT_EQ(brush->color, 0x880000u);
    for (int id : {1000, 1001}) {
      const sim::ColorAnswer text = sim::RequestColor(b->hwnd, id);
      EXPECT_EQ(text.brush, dialog.brush);
      EXPECT_TRUE(text.textSet && text.backSet);
      EXPECT_EQ(text.text, 0xFFFFFFu);
      EXPECT_EQ(text.back, 0x880000u);
    }
    EXPECT_EQ(m.gui.Control(b->hwnd, 1001)->text, "DU Dodoridu");
    EXPECT_EQ(m.gui.Control(b->hwnd, 1000)->text.size(), 47u);
  });
  user.Do(kAgreement, Action::ClickOn(kOkButton)).Do(kInstall, Action::PressEscape());
  Run();
}

TEST_F(FrontScreensTest, FontThatCannotBeMadeLeavesItsStaticInTemplatePlace) {
  m.Fail("CreateFontA", "KV_Font");
  user.Do(kWelcome, Action::ClickOn(kFrontCancel), [&](const DialogView&) {
    sim::Window* b = Backdrop();
    sim::Window* vendor = m.gui.Control(b->hwnd, 1001);
    sim::Window* tagline = m.gui.Control(b->hwnd, 1000);
    EXPECT_EQ(vendor->moves, 0);
    const sim::GdiObject* font = m.gui.Object(vendor->font);
    EXPECT_TRUE(!font || !font->program);  // the dialog's own font
    EXPECT_EQ(tagline->moves, 1);
    const sim::ColorAnswer text = sim::RequestColor(b->hwnd, 1001);
    EXPECT_EQ(text.text, 0xFFFFFFu);
    EXPECT_EQ(text.back, 0x880000u);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(m.gui.process.gdiErrors.empty());
}

TEST_F(FrontScreensTest, RefusedWelcomeDestroysBackdropAndDeletesEachGdiObjectOnce) {
  for (Action a : {Action::ClickOn(kFrontCancel), Action::PressEscape(), Action::CloseBox()}) {
    user.Do(kWelcome, a);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(sim::DialogsShown(m.transcript), (std::vector<int>{kBackdrop, kWelcome}));
    sim::Window* b = Backdrop();
    ASSERT_TRUE(b);
    EXPECT_FALSE(b->alive);
    int objects = 0;
    for (const sim::GdiObject& o : m.gui.process.gdi)
      if (o.program) {
        EXPECT_EQ(o.deletes, 1);
        ++objects;
      }
    EXPECT_EQ(objects, 3);  // the brush and both fonts
    EXPECT_TRUE(m.gui.process.gdiErrors.empty());
    m.transcript.clear();
  }
}

TEST_F(FrontScreensTest, RefusedAgreementEndsTheSameWay) {
  user.Do(kWelcome, Action::ClickOn(kOkButton)).Do(kAgreement, Action::PressEscape());
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(Backdrop()->alive);
  EXPECT_EQ(sim::DialogsShown(m.transcript), (std::vector<int>{kBackdrop, kWelcome, kAgreement}));
}

TEST_F(FrontScreensTest, WelcomeOwnedByDisabledBackdropWhichInstallDialogLeavesEnabled) {
  user.Do(kWelcome, Action::PressEnter(), [&](const DialogView& v) {
    sim::Window* w = m.gui.Dialog(kWelcome);
    EXPECT_EQ(w->owner, Backdrop()->hwnd);
    EXPECT_FALSE(Backdrop()->enabled);
    EXPECT_EQ(v.caption, "Testanza Installation");
  });
  user.Do(kAgreement, Action::PressEnter(), [&](const DialogView& v) {
    EXPECT_FALSE(Backdrop()->enabled);
    EXPECT_EQ(v.caption, "Testanza License Agreement");
  });
  user.Do(kInstall, Action::PressEscape(), [&](const DialogView&) {
    EXPECT_TRUE(Backdrop()->alive);
    EXPECT_TRUE(Backdrop()->enabled);
    EXPECT_TRUE(Backdrop()->visible);
  });
  Run();
  // Only the process takes it away, so its objects are never deleted.
  for (const sim::GdiObject& o : m.gui.process.gdi) EXPECT_EQ(o.deletes, 0);
}

TEST_F(FrontScreensTest, WelcomeTextIsExact) {
  user.Do(kWelcome, Action::ClickOn(kFrontCancel), [&](const DialogView& v) {
    EXPECT_EQ(v.textOf(0xFFFF),
              "TESTANZA\r\nTest Management and administration has never been easier!\n\n"
              "Click \"OK\" to install DU Dodoridu's\r\nTestanza  for Windows.");
  });
  Run();
}

TEST_F(FrontScreensTest, AgreementShowsTheResourceBytesExactly) {
  const std::vector<uint8_t> bytes = AgreementBytes();
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\n');  // the text carries no terminating zero
  int lines = 0;
  for (size_t i = 1; i < bytes.size(); ++i) lines += bytes[i - 1] == '\r' && bytes[i] == '\n';
  EXPECT_EQ(lines, 31);
  user.Do(kWelcome, Action::ClickOn(kOkButton)).Do(kAgreement, Action::ClickOn(kFrontCancel), [&](const DialogView& v) {
    EXPECT_EQ(v.textOf(1004), std::string(bytes.begin(), bytes.end()));
  });
  Run();
}

TEST_F(FrontScreensTest, MissingOrEmptyAgreementShowsCorruptionBoxAndGoesOn) {
  for (bool remove : {true, false}) {
    SCOPED_TRACE(remove ? "missing" : "empty");
    if (remove)
      m.gui.resources.Remove(sim::ResId("TEXT"), sim::ResId(132));
    else
      m.gui.resources.Put(sim::ResId("TEXT"), sim::ResId(132), {});
    user.Do(kWelcome, Action::ClickOn(kOkButton))
        .Answer("ERROR", os::IDOK, "Setup file is corrupted!")
        .Do(kInstall, Action::PressEscape());
    Run();
    const auto boxes = sim::EventsOf(m.transcript, Event::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Setup file is corrupted!");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(boxes[0].templateId, kAgreement);
    EXPECT_EQ(sim::DialogsShown(m.transcript), (std::vector<int>{kBackdrop, kWelcome, kInstall}));
    m.transcript.clear();
  }
}

TEST_F(FrontScreensTest, DialogsAreCentredOnTheBackdropAndTheScreen) {
  m.gui.screenWidth = 800;
  m.gui.screenHeight = 600;
  auto centred = [&](int templateId) {
    sim::Window* w = m.gui.Dialog(templateId);
    ASSERT_TRUE(w);
    EXPECT_NEAR((w->rect.left + w->rect.right) / 2, 400, 1) << templateId;
    EXPECT_NEAR((w->rect.top + w->rect.bottom) / 2, 300, 1) << templateId;
  };
  user.Do(kWelcome, Action::ClickOn(kOkButton), [&](const DialogView&) { centred(kWelcome); })
      .Do(kAgreement, Action::ClickOn(kOkButton), [&](const DialogView&) { centred(kAgreement); })
      .Do(kInstall, Action::PressEscape(), [&](const DialogView&) { centred(kInstall); });
  Run();
}
