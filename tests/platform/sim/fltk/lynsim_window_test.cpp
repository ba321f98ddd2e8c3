// `lynsim run` with the FLTK window: the screenshot of the licence page, the
// pictures of the install's phases and the transcript it writes (the
// scenario display.t has the choice of display).
#include <FL/Fl_PNG_Image.H>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <string>

#include "tests/platform/sim/fltk/test_display.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::sim::fltk {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

// A screenshot's pixel as RGB.
std::array<int, 3> At(const Fl_PNG_Image& shot, int x, int y) {
  const auto* p = reinterpret_cast<const unsigned char*>(shot.data()[0]) + (y * shot.w() + x) * 3;
  return {p[0], p[1], p[2]};
}

// Whether a pixel shows the background's colour along its diagonal x + y:
// black towards (87, 101, 121) over 365 + 365 + 540 steps on the window. The
// three runs of lines meet the pixels with indices one apart. The progress
// panel is 546 by 397 pixels (1340 steps) and lies one pixel above the
// window's client area.
::testing::AssertionResult OnGradient(const Fl_PNG_Image& shot, int x, int y, double steps = 1270,
                                      int above = 0) {
  const auto actual = At(shot, x, y);
  const int to[] = {87, 101, 121};
  for (std::size_t k = 0; k < 3; ++k) {
    const int expected = static_cast<int>(std::nearbyint((x + y + above) * to[k] / steps));
    if (std::abs(actual[k] - expected) > 1) {
      return ::testing::AssertionFailure() << "(" << x << ", " << y << ") channel " << k << " is "
                                           << actual[k] << ", expected about " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(LynsimWindowTest, ScreenshotWithoutADisplayShowsTheLicencePage) {
  const testing::WithoutDisplay noDisplay;
  const ScratchMachine scratch;
  const std::string file = (scratch.folder() / "licence.png").string();
  const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + " --screenshot " + file);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "lynsim: wrote the screenshot " + file + "\n")
      << "a private display, no fallback";
  EXPECT_TRUE(result.out.ends_with("\nended: script done\n")) << result.out;

  const Fl_PNG_Image shot(file.c_str());
  ASSERT_EQ(shot.w(), 540);
  ASSERT_EQ(shot.h(), 365);
  ASSERT_EQ(shot.d(), 3);
  // The bottom row and the right-hand column are clear of controls.
  for (int x = 0; x < 540; x += 13) EXPECT_TRUE(OnGradient(shot, x, 364));
  for (int y = 2; y < 365; y += 11) EXPECT_TRUE(OnGradient(shot, 539, y));

  // The licence box: white inside its frame from top to bottom, the
  // background just left of it.
  for (int y = 59; y < 290; ++y) {
    ASSERT_EQ(At(shot, 19, y), (std::array{255, 255, 255})) << "at 19, " << y;
  }
  EXPECT_TRUE(OnGradient(shot, 14, 150));
}

TEST(LynsimWindowTest, AMessageBoxLeftUpIsInTheScreenshot) {
  // The untested-system question comes before the window; the script has no
  // answer for it, so the screenshot is the box as a person sees it, and the
  // run ends as the same script ends headless: the box unanswered.
  const testing::WithoutDisplay noDisplay;
  const ScratchMachine scratch("--preset vista-home-premium-x64");
  const std::string file = (scratch.folder() / "box.png").string();
  const LynsimResult result = scratch.Lynsim("run " + scratch.machine() + " --screenshot " + file);
  const LynsimResult headless = scratch.Lynsim("run " + scratch.machine() + " --headless");
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_EQ(headless.status, 3) << headless.err;
  EXPECT_TRUE(result.out.ends_with("\nunanswered: \"Untested OS\"\nended: script does not fit\n"))
      << result.out;
  EXPECT_EQ(result.out, headless.out);
  const Fl_PNG_Image shot(file.c_str());
  ASSERT_GT(shot.w(), 100);
  ASSERT_GT(shot.h(), 100);
  EXPECT_EQ(At(shot, 2, 2), (std::array{255, 255, 255})) << "the box's white face";
  EXPECT_EQ(At(shot, 16, 28), (std::array{220, 30, 30})) << "the critical icon";
}

// How many pixels of the tick's square of a progress row (rows 0 to 4, top
// to bottom) are the tick's green; the panel behind it is grey-blue.
int GreenPixels(const Fl_PNG_Image& shot, int row) {
  constexpr int kLeft = 264;                          // 3960 twips
  constexpr int kTops[] = {121, 168, 216, 264, 312};  // 1815 to 4680 twips
  int green = 0;
  for (int y = kTops[row]; y < kTops[row] + 24; ++y) {
    for (int x = kLeft; x < kLeft + 24; ++x) {
      const auto [r, g, b] = At(shot, x, y);
      green += g > r + 40 && g > b ? 1 : 0;
    }
  }
  return green;
}

TEST(LynsimWindowTest, AScreenshotFolderGetsOnePictureOfEachInstallPhase) {
  const testing::WithoutDisplay noDisplay;
  const ScratchMachine scratch;
  const std::string folder = (scratch.folder() / "shots").string() + "/";
  const LynsimResult result =
      scratch.Lynsim("run " + scratch.machine() +
                     " --click lblAcceptYes --click cmdOK --click cmdExit --screenshot " + folder);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.ends_with("\nended: Finish\n")) << result.out;
  const char* const names[] = {"0-licence.png",      "1-extraction.png", "2-files.png",
                               "3-registration.png", "4-shortcuts.png",  "5-uninstall-entry.png",
                               "6-finish.png"};
  std::string written;
  for (const char* name : names) written += "lynsim: wrote the screenshot " + folder + name + "\n";
  EXPECT_EQ(result.err, written);
  // Each picture shows the ticks of the phases done so far, and no more.
  for (int phase = 0; phase < 7; ++phase) {
    SCOPED_TRACE(names[phase]);
    const Fl_PNG_Image shot((folder + names[phase]).c_str());
    ASSERT_EQ(shot.w(), 540);
    ASSERT_EQ(shot.h(), 365);
    ASSERT_EQ(shot.d(), 3);
    for (int row = 0; row < 5; ++row) {
      if (row < phase) {
        EXPECT_GT(GreenPixels(shot, row), 100) << "row " << row;
      } else {
        EXPECT_EQ(GreenPixels(shot, row), 0) << "row " << row;
      }
    }
    // From Continue on, the panel's own gradient fills the bottom row.
    for (int x = 0; phase > 0 && x < 540; x += 27) EXPECT_TRUE(OnGradient(shot, x, 364, 1340, 1));
  }
}

TEST(LynsimWindowTest, TheWindowWritesTheSameTranscriptAsTheHeadlessRun) {
  // The untested-system question comes before the window, answered on the
  // dialog by the script; No ends the run before any window opens.
  const char* const scripts[][2] = {
      {" --answer Yes --click lblAcceptYes --click lblAcceptNo --click 'OpAccept(0)' --click "
       "cmdExit",
       "click: cmdExit\nended: Cancel\n"},
      {" --answer No", "answer: No\nended: Untested OS\n"},
  };
  testing::UsePrivateDisplay();
  const ScratchMachine scratch("--preset vista-home-premium-x64");
  for (const auto& [script, ending] : scripts) {
    SCOPED_TRACE(script);
    const std::string run = "run " + scratch.machine();
    const LynsimResult headless = scratch.Lynsim(run + " --headless" + script);
    const LynsimResult window = scratch.Lynsim(run + " --gui" + script);
    EXPECT_EQ(headless.status, 0) << headless.err;
    EXPECT_EQ(window.status, 0) << window.err;
    EXPECT_TRUE(headless.out.ends_with(ending)) << headless.out;
    EXPECT_EQ(window.out, headless.out);
  }
}

}  // namespace
}  // namespace lyn::sim::fltk
