// The setup window's design mirrored into FLTK widgets on a private display.
#include "platform/sim/fltk/window_mirror.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/sim/fltk/picture_raster.h"
#include "platform/sim/fltk/screenshot.h"
#include "resources/resources.h"
#include "shell/frm_setup_design.h"
#include "tests/platform/sim/fltk/fltk_queries.h"
#include "tests/platform/sim/fltk/png_reader.h"
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

  // Centred on the 1024 x 768 screen as the load sequence does it, in twips.
  void ShowCentred() {
    form->Move((kScreenWidth * 15 - 8190) / 2, (kScreenHeight * 15 - 5955) / 2, 8190, 5955);
    form->SetTopmost();
    form->Show();
    Fl::check();
  }

  ControlModel& Model(const std::string& name) { return *widgets.Find(name); }
  Fl_Widget& View(const std::string& name) { return *mirror.WidgetOf(Model(name)); }
  Fl_Window& Window() { return *mirror.WindowOf(*form); }

  sim::testing::FakeWindows windows;
  WidgetSet widgets{windows};
  WindowMirror mirror{widgets, kScreenWidth, kScreenHeight};
  FormModel* form = nullptr;
};

TEST_F(WindowMirrorTest, ShowsTheWindowCentredOnTopWithItsCaptionAndClientSize) {
  EXPECT_FALSE(Window().shown()) << "hidden until the form is shown";
  ShowCentred();
  Fl_Window& window = Window();
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
}

TEST_F(WindowMirrorTest, PlacesEachControlAtItsDesignedPixels) {
  struct Place {
    const char* name;
    int x, y, w, h;
  };
  const Place places[] = {
      {"T1", 16, 56, 293, 237},
      {"Image2", 328, 8, 185, 148},
      {"Image1", 328, 164, 203, 121},
      {"Image4", 1, 5, 48, 48},
      {"Image5", 490, 5, 48, 48},
      {"OpAccept(0)", 19, 304, 13, 13},
      {"lblAcceptNo", 48, 336, 249, 17},
      {"cmdOK", 336, 328, 81, 25},
      {"cmdExit", 453, 328, 73, 25},
      {"picInstall", 0, -667, 546, 397},
      {"lblExtrating", 13, -539, 145, 17},
      {"imgTick(0)", 264, -546, 24, 24},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    const Fl_Widget& view = View(p.name);
    EXPECT_EQ(view.x(), p.x);
    EXPECT_EQ(view.y(), p.y);
    EXPECT_EQ(view.w(), p.w);
    EXPECT_EQ(view.h(), p.h);
  }
  EXPECT_EQ(View("lblExtrating").parent(), &View("picInstall"));
  EXPECT_EQ(View("cmdOK").parent(), &Window());
  EXPECT_EQ(mirror.WidgetOf(Model("tmrSetPermissions")), nullptr);

  const auto shown = testing::TextShown(View("T1"));
  ASSERT_TRUE(shown.has_value());
  const std::string& text = *shown;
  EXPECT_TRUE(text.starts_with("LYNWOOD CATALOG SUITE 6.7\nEND-USER LICENSE AGREEMENT\n"));
  EXPECT_EQ(text.find('\r'), std::string::npos);

  EXPECT_STREQ(View("cmdOK").label(), "Continue");
  EXPECT_STREQ(View("cmdOK").tooltip(), "Continue");
  EXPECT_FALSE(View("cmdOK").active());
  EXPECT_TRUE(View("cmdExit").active());
  EXPECT_EQ(static_cast<Fl_Button&>(View("OpAccept(1)")).value(), 1);
  EXPECT_EQ(static_cast<Fl_Button&>(View("OpAccept(0)")).value(), 0);
  EXPECT_FALSE(View("imgTick(0)").visible());
  EXPECT_FALSE(View("lblInstalling").visible());
}

TEST_F(WindowMirrorTest, FollowsTheModelsChanges) {
  Model("lblProgFileDir").SetCaption("C:\\Program Files\\LYN");
  EXPECT_STREQ(View("lblProgFileDir").label(), "C:\\Program Files\\LYN");
  Model("lblClientOS").SetCaption("user@host");
  EXPECT_STREQ(View("lblClientOS").label(), "user@@host") << "drawn literally, not as a symbol";

  Model("cmdOK").SetEnabled(true);
  EXPECT_TRUE(View("cmdOK").active());
  Model("OpAccept(0)").SetValue(true);
  EXPECT_EQ(static_cast<Fl_Button&>(View("OpAccept(0)")).value(), 1);
  EXPECT_EQ(static_cast<Fl_Button&>(View("OpAccept(1)")).value(), 0);
  Model("imgTick(0)").SetVisible(true);
  EXPECT_TRUE(View("imgTick(0)").visible());

  // The install run brings the panel over the window; its rows come along.
  Model("picInstall").Move(0, 0, 8190, 5955);
  EXPECT_EQ(View("picInstall").y(), 0);
  EXPECT_EQ(View("lblExtrating").y(), 128);
  EXPECT_EQ(View("imgTick(0)").y(), 121);

  // A control moved into the panel follows it.
  Model("cmdExit").SetContainer(Model("picInstall"));
  EXPECT_EQ(View("cmdExit").parent(), &View("picInstall"));
  Model("picInstall").Move(150, 300, 8190, 5955);
  EXPECT_EQ(View("cmdExit").x(), 10 + 453);
  EXPECT_EQ(View("cmdExit").y(), 20 + 328);
}

TEST_F(WindowMirrorTest, APersonsClicksGoToTheModel) {
  ShowCentred();
  int yes = 0;
  int ok = 0;
  Model("lblAcceptYes").SetHandler([&] { ++yes; });
  Model("cmdOK").SetHandler([&] { ++ok; });

  View("lblAcceptYes").do_callback();
  EXPECT_EQ(yes, 1);
  View("cmdOK").do_callback();
  EXPECT_EQ(ok, 0) << "a disabled button does not react";

  View("OpAccept(0)").do_callback();
  EXPECT_TRUE(Model("OpAccept(0)").Value());
  EXPECT_EQ(static_cast<Fl_Button&>(View("OpAccept(1)")).value(), 0);

  // Escape does not close a form; the close box does.
  Fl::e_number = FL_SHORTCUT;
  Fl::e_keysym = FL_Escape;
  Window().do_callback();
  EXPECT_FALSE(form->Closed());
  Fl::e_number = FL_PUSH;
  Window().do_callback();
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(Window().shown());
}

TEST_F(WindowMirrorTest, ScreenshotShowsTheBackImageWithPicturesAndText) {
  ShowCentred();
  form->SetScaleMode(ui::ScaleMode::Pixels);
  form->Line(0, 300, 540, 300, ui::RGB(200, 10, 20));
  form->Refresh();

  const auto path =
      std::filesystem::temp_directory_path() / ("lyn-mirror-" + std::to_string(getpid()) + ".png");
  SaveScreenshot(Window(), path.string());
  const auto shot = testing::ReadPng(path.string());
  std::filesystem::remove(path);
  ASSERT_EQ(shot.width, 540);
  ASSERT_EQ(shot.height, 365);

  EXPECT_EQ(shot.At(400, 300), (std::array{200, 10, 20}));
  EXPECT_EQ(shot.At(400, 315), (std::array{240, 240, 240})) << "the form's own background";
  EXPECT_EQ(shot.At(19, 150), (std::array{255, 255, 255})) << "inside the licence box";

  const RgbaImage map = Stretch(res::kMapPanel, 185, 148);
  const std::uint8_t* expected = &map.rgba[(74 * 185 + 92) * 4];
  EXPECT_EQ(shot.At(328 + 92, 8 + 74), (std::array<int, 3>{expected[0], expected[1], expected[2]}));

  int green = 0;
  for (int y = 304; y < 321; ++y) {
    for (int x = 48; x < 265; ++x) {
      const auto p = shot.At(x, y);
      green += p[1] > 150 && p[0] < 100 && p[2] < 100;
    }
  }
  EXPECT_GT(green, 50) << "the green text of lblAcceptYes";
}

}  // namespace
}  // namespace lyn::sim::fltk
