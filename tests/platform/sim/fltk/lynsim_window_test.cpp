// `lynsim run` with the FLTK window: the screenshot of the licence page, the
// window on a display, the transcript it writes and the choice of display.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/platform/sim/fltk/fltk_queries.h"
#include "tests/platform/sim/fltk/png_reader.h"
#include "tests/platform/sim/fltk/test_display.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::sim::fltk {
namespace {

using lyn::testing::LynsimProcess;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

// The background's colour at gradient index i: black towards (87, 101, 121)
// over 365 + 365 + 540 steps, halves rounded to even.
std::array<int, 3> GradientColour(int i) {
  const auto part = [i](int to) { return static_cast<int>(std::nearbyint(i * to / 1270.0)); };
  return {part(87), part(101), part(121)};
}

// Whether a pixel shows the gradient's colour along its diagonal x + y; the
// three runs of lines meet the pixels with indices one apart.
::testing::AssertionResult OnGradient(const testing::RgbPicture& shot, int x, int y) {
  const auto actual = shot.At(x, y);
  const auto expected = GradientColour(x + y);
  for (int k = 0; k < 3; ++k) {
    if (std::abs(actual[static_cast<std::size_t>(k)] - expected[static_cast<std::size_t>(k)]) > 1) {
      return ::testing::AssertionFailure()
             << "(" << x << ", " << y << ") is " << actual[0] << "," << actual[1] << ","
             << actual[2] << ", expected about " << expected[0] << "," << expected[1] << ","
             << expected[2];
    }
  }
  return ::testing::AssertionSuccess();
}

class LynsimWindowTest : public ::testing::Test {
 protected:
  LynsimResult Lynsim(const std::string& args) { return scratch.Lynsim(args); }

  ScratchMachine scratch;
  const std::string& machine = scratch.machine();
};

TEST_F(LynsimWindowTest, ScreenshotWithoutADisplayShowsTheLicencePage) {
  const testing::WithoutDisplay noDisplay;
  const std::string file = (scratch.folder() / "licence.png").string();
  const LynsimResult result = Lynsim("run " + machine + " --screenshot " + file);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "") << "a private display, no fallback";
  EXPECT_TRUE(result.out.ends_with("\nended: script done\n")) << result.out;

  const auto shot = testing::ReadPng(file);
  ASSERT_EQ(shot.width, 540);
  ASSERT_EQ(shot.height, 365);
  for (const auto& [x, y] : {std::pair{1, 1}, {0, 2}, {2, 1}, {3, 3}}) {
    const auto p = shot.At(x, y);
    EXPECT_LE(std::max({p[0], p[1], p[2]}), 1) << "near black at " << x << ", " << y;
  }
  // The bottom row and the right-hand column are clear of controls.
  for (int x = 0; x < 540; x += 13) EXPECT_TRUE(OnGradient(shot, x, 364));
  for (int y = 2; y < 365; y += 11) EXPECT_TRUE(OnGradient(shot, 539, y));
  EXPECT_TRUE(OnGradient(shot, 539, 364));

  // The licence box: white inside its frame from top to bottom, the
  // background just left of it.
  for (int y = 59; y < 290; ++y) {
    ASSERT_EQ(shot.At(19, y), (std::array{255, 255, 255})) << "at 19, " << y;
  }
  EXPECT_TRUE(OnGradient(shot, 14, 150));
}

TEST_F(LynsimWindowTest, TheWindowOpensCentredOnTop) {
  testing::UsePrivateDisplay();
  LynsimProcess run("run " + machine + " --gui --hold 1", scratch.folder() / "err");
  const auto window = testing::WaitForTopLevelWindow("LYN Setup", 10);
  const LynsimResult result = run.Finish();
  EXPECT_EQ(result.status, 0) << result.err;
  ASSERT_TRUE(window.has_value()) << result.out << result.err;
  EXPECT_EQ(window->width, 540);
  EXPECT_EQ(window->height, 365);
  // The 546 x 397 frame is centred on the 1024 x 768 screen (the caption bar
  // is 29 pixels high, the border 3).
  EXPECT_EQ(window->x, (testing::kScreenWidth - 546) / 2 + 3);
  EXPECT_NEAR(window->y, (testing::kScreenHeight - 397) / 2.0 + 29, 1);
  EXPECT_TRUE(window->staysOnTop);
}

TEST(LynsimWindowTranscriptTest, TheWindowWritesTheSameTranscriptAsTheHeadlessRun) {
  struct Case {
    const char* preset;
    const char* script;
    const char* ending;
  };
  const Case cases[] = {
      {"winxp-pro",
       " --click lblAcceptYes --click lblAcceptNo --click 'OpAccept(0)' --click cmdExit",
       "click: cmdExit\nended: Cancel\n"},
      // The untested-system question comes before the window, answered on
      // the dialog by the script.
      {"vista-home-premium-x64", " --answer Yes --click lblAcceptYes --click cmdExit",
       "ended: Cancel\n"},
      {"vista-home-premium-x64", " --answer No", "answer: No\nended: Untested OS\n"},
  };
  testing::UsePrivateDisplay();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.preset) + c.script);
    const ScratchMachine scratch(std::string("--preset ") + c.preset);
    const std::string run = "run " + scratch.machine();
    const LynsimResult headless = scratch.Lynsim(run + " --headless" + c.script);
    const LynsimResult window = scratch.Lynsim(run + " --gui" + c.script);
    EXPECT_EQ(headless.status, 0) << headless.err;
    EXPECT_EQ(window.status, 0) << window.err;
    EXPECT_TRUE(headless.out.ends_with(c.ending)) << headless.out;
    EXPECT_EQ(window.out, headless.out);
  }
}

TEST_F(LynsimWindowTest, WithoutADisplayTheRunFallsBackOrRefuses) {
  const testing::WithoutDisplay noDisplay;
  const LynsimResult fallback = Lynsim("run " + machine + " --click cmdExit");
  EXPECT_EQ(fallback.status, 0);
  EXPECT_EQ(fallback.err, "lynsim: no display, using the headless window\n");
  EXPECT_TRUE(fallback.out.ends_with("ended: Cancel\n")) << fallback.out;

  const LynsimResult gui = Lynsim("run " + machine + " --gui");
  EXPECT_NE(gui.status, 0);
  EXPECT_NE(gui.err.find("--gui needs a display"), std::string::npos) << gui.err;
  EXPECT_EQ(gui.out, "");

  const LynsimResult headlessShot = Lynsim("run " + machine + " --headless --screenshot " +
                                           (scratch.folder() / "x.png").string());
  EXPECT_NE(headlessShot.status, 0);
  EXPECT_FALSE(std::filesystem::exists(scratch.folder() / "x.png"));
}

}  // namespace
}  // namespace lyn::sim::fltk
