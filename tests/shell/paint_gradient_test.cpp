#include "shell/paint_gradient.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/recording_surface.h"

namespace lyn {
namespace {

using fakes::RecordingSurface;

// The lines as drawn; how they land on pixels is checked on the window's
// screenshot.

// The colour of gradient index i for the window's colours, computed
// independently in double precision with halves rounded to even.
ui::COLORREF Expected(double i, double total) {
  const auto part = [&](int to) { return static_cast<int>(std::nearbyint(i * to / total)); };
  return ui::RGB(part(87), part(101), part(121));
}

TEST(PaintGradientTest, WindowSizedSurfaceDrawsThreeRunsOfLines) {
  RecordingSurface form;
  PaintGradient(kTrue16, 540, 365, "000000", "576579", &form, nullptr);

  ASSERT_EQ(form.lines.size(), 365u + 176u + 365u);
  EXPECT_EQ(form.drawStyle, 6);
  EXPECT_EQ(form.drawMode, 13);
  EXPECT_EQ(form.drawWidth, 1);
  EXPECT_EQ(form.scaleMode, ui::ScaleMode::Twips) << "the scale goes back to twips";
  EXPECT_EQ(form.refreshes, 1);

  const auto& first = form.lines.front();
  EXPECT_EQ((std::array{first.x1, first.y1, first.x2, first.y2}), (std::array{0., 1., 1., 0.}));
  EXPECT_EQ(first.color, Expected(1, 1270));

  // The middle run starts at index H and keeps its upper end on y = 1.
  const auto& middle = form.lines[365];
  EXPECT_EQ((std::array{middle.x1, middle.y1, middle.x2, middle.y2}),
            (std::array{365., 1., 0., 365.}));
  for (std::size_t i = 365; i < 365 + 176; ++i) EXPECT_EQ(form.lines[i].y1, 1.0);

  // The last line uses index W + H = 905 of 1270, not the end colour.
  const auto& last = form.lines.back();
  EXPECT_EQ((std::array{last.x1, last.y1, last.x2, last.y2}), (std::array{540., 365., 540., 365.}));
  EXPECT_EQ(last.color, Expected(905, 1270));
  EXPECT_NE(last.color, ui::RGB(87, 101, 121));
}

TEST(PaintGradientTest, DrawsOnThePictureBoxWhenTheFlagIsFalse) {
  RecordingSurface form;
  RecordingSurface panel;
  PaintGradient(kFalse16, 546, 397, "000000", "576579", &form, &panel);
  EXPECT_TRUE(form.lines.empty());
  EXPECT_EQ(panel.lines.size(), 397u + 150u + 397u);
}

TEST(PaintGradientTest, ColoursRunFromStartToEndComponentwise) {
  RecordingSurface form;
  PaintGradient(kTrue16, 4, 2, "FF0010", "00FF10", &form, nullptr);
  // total = 8: red falls by 255/8, green rises by 255/8, blue stays.
  EXPECT_EQ(form.lines.front().color, ui::RGB(223, 32, 16));  // 255 - 31.875, 31.875
  EXPECT_EQ(form.lines.back().color, ui::RGB(64, 191, 16));   // index 6: 63.75, 191.25
}

}  // namespace
}  // namespace lyn
