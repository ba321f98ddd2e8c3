// The setup window's design mirrored into FLTK widgets on a private display.
#include "platform/sim/fltk/window_mirror.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "shell/frm_setup_design.h"
#include "tests/platform/sim/fltk/fltk_queries.h"
#include "tests/platform/sim/fltk/test_display.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim::fltk {
namespace {

using testing::kScreenHeight;
using testing::kScreenWidth;

class WindowMirrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UsePrivateDisplay();
    widgets.AddObserver(mirror);
    form = static_cast<FormModel*>(
        &widgets.CreateForm(FrmSetupFormDesign(), kFrmSetupClientWidth, kFrmSetupClientHeight));
    for (const auto& design : FrmSetupControlDesigns()) form->Add(design);
  }

  ControlModel& Model(const std::string& name) { return *widgets.Find(name); }
  Fl_Widget& View(const std::string& name) { return *mirror.WidgetOf(Model(name)); }
  bool Selected(const std::string& name) { return static_cast<Fl_Button&>(View(name)).value(); }

  sim::testing::FakeWindows windows;
  WidgetSet widgets{windows};
  WindowMirror mirror{widgets, kScreenWidth, kScreenHeight};
  FormModel* form = nullptr;
};

TEST_F(WindowMirrorTest, ShowsTheWindowCentredOnTopAndClosesOnlyByItsCloseBox) {
  Fl_Window& window = *mirror.WindowOf(*form);
  EXPECT_FALSE(window.shown()) << "hidden until the form is shown";
  // Centred on the 1024 x 768 screen as the load sequence does it, in twips.
  form->Move((kScreenWidth * 15 - 8190) / 2, (kScreenHeight * 15 - 5955) / 2, 8190, 5955);
  form->SetTopmost();
  form->Show();
  Fl::check();
  ASSERT_TRUE(window.shown());
  EXPECT_STREQ(window.label(), "LYN Setup");
  EXPECT_EQ(window.w(), 540);
  EXPECT_EQ(window.h(), 365);
  // The outer frame (546 x 397: a 3-pixel border, a 29-pixel caption bar)
  // is centred; the client area lies inside it.
  EXPECT_EQ(window.x(), (kScreenWidth - 546) / 2 + 3);
  EXPECT_EQ(window.y(), (kScreenHeight * 15 - 5955) / 2 / 15 + 29);
  EXPECT_TRUE(testing::AskedToStayOnTop(window));
  EXPECT_EQ(Fl::focus(), &View("cmdExit")) << "first in tab order while Continue is disabled";

  int yes = 0;
  Model("lblAcceptYes").SetHandler([&] { ++yes; });
  View("lblAcceptYes").do_callback();
  EXPECT_EQ(yes, 1) << "a person's click goes to the model";

  Fl::e_number = FL_SHORTCUT;
  Fl::e_keysym = FL_Escape;
  window.do_callback();
  EXPECT_FALSE(form->Closed()) << "Escape does not close a form";
  Fl::e_number = FL_PUSH;
  window.do_callback();
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(window.shown());
}

TEST_F(WindowMirrorTest, TheKeyboardMovesTheFocusAsTheModelDoes) {
  form->Show();
  Fl::check();
  Fl_Window& window = *mirror.WindowOf(*form);
  ASSERT_EQ(Fl::focus(), &View("cmdExit"));
  Fl::e_state = 0;
  for (const int key : {FL_Tab, FL_Tab, FL_Up}) {
    Fl::e_keysym = key;
    Fl::handle(FL_KEYBOARD, &window);
  }
  EXPECT_EQ(Fl::focus(), &View("OpAccept(0)")) << "Tab to the chosen option, Up to the other";
  EXPECT_EQ(form->Focus(), &Model("OpAccept(0)"));
  EXPECT_TRUE(Selected("OpAccept(0)"));
}

TEST_F(WindowMirrorTest, PlacesControlsAtTheirDesignedPixelsAndFollowsTheModel) {
  struct Place {
    const char* name;
    int x, y, w, h;
  };
  const Place places[] = {
      {"T1", 16, 56, 293, 237},          {"Image2", 328, 8, 185, 148},
      {"Image4", 1, 5, 48, 48},          {"OpAccept(0)", 19, 304, 13, 13},
      {"picInstall", 0, -667, 546, 397}, {"lblExtrating", 13, -539, 153, 17},
  };
  for (const Place& p : places) {
    const Fl_Widget& view = View(p.name);
    EXPECT_EQ((std::array{view.x(), view.y(), view.w(), view.h()}),
              (std::array{p.x, p.y, p.w, p.h}))
        << p.name;
  }
  EXPECT_EQ(View("lblExtrating").parent(), &View("picInstall"));
  EXPECT_EQ(mirror.WidgetOf(Model("tmrSetPermissions")), nullptr);

  const std::string text = testing::TextShown(View("T1"));
  EXPECT_TRUE(text.starts_with("LYNWOOD CATALOG SUITE 6.7\nEND-USER LICENSE AGREEMENT\n"));
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_STREQ(View("cmdOK").label(), "Continue");
  EXPECT_STREQ(View("cmdOK").tooltip(), "Continue");
  EXPECT_FALSE(View("cmdOK").active());
  EXPECT_TRUE(Selected("OpAccept(1)"));
  EXPECT_FALSE(View("imgTick(0)").visible());

  Model("lblClientOS").SetCaption("user@host");
  EXPECT_STREQ(View("lblClientOS").label(), "user@@host") << "drawn literally, not as a symbol";
  Model("OpAccept(0)").SetValue(true);
  EXPECT_TRUE(Selected("OpAccept(0)"));
  EXPECT_FALSE(Selected("OpAccept(1)"));
  Model("imgTick(0)").SetVisible(true);
  EXPECT_TRUE(View("imgTick(0)").visible());

  // The install run brings the panel over the window; its rows come along,
  // and so does a control moved into it.
  Model("picInstall").Move(0, 0, 8190, 5955);
  EXPECT_EQ(View("picInstall").y(), 0);
  EXPECT_EQ(View("lblExtrating").y(), 128);
  Model("cmdExit").SetContainer(Model("picInstall"));
  EXPECT_EQ(View("cmdExit").parent(), &View("picInstall"));
  Model("picInstall").Move(150, 300, 8190, 5955);
  EXPECT_EQ(View("cmdExit").x(), 10 + 453);
  EXPECT_EQ(View("cmdExit").y(), 20 + 328);
}

}  // namespace
}  // namespace lyn::sim::fltk
