#include "platform/sim/ui/back_image.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace lyn::sim {
namespace {

constexpr ui::COLORREF kPaper = ui::RGB(1, 2, 3);
constexpr ui::COLORREF kInk = ui::RGB(200, 100, 50);

using Points = std::set<std::pair<int, int>>;

Points Inked(const BackImage& image) {
  Points points;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.At(x, y) == kInk) points.insert({x, y});
    }
  }
  return points;
}

struct LineCase {
  const char* name;
  int x1, y1, x2, y2;
  Points expected;
};

TEST(BackImageTest, LinesFollowBresenhamAndLeaveOutTheEndPoint) {
  const std::vector<LineCase> cases = {
      {"horizontal", 1, 1, 4, 1, {{1, 1}, {2, 1}, {3, 1}}},
      {"horizontal backwards", 4, 1, 1, 1, {{4, 1}, {3, 1}, {2, 1}}},
      {"vertical", 2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
      {"shallow", 0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {"steep", 0, 0, 2, 5, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
      {"anti-diagonal", 0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}}},
      {"single step", 3, 3, 4, 3, {{3, 3}}},
      {"no length", 2, 2, 2, 2, {}},
  };
  for (const auto& c : cases) {
    BackImage image(8, 8, kPaper);
    image.Line(c.x1, c.y1, c.x2, c.y2, kInk);
    EXPECT_EQ(Inked(image), c.expected) << c.name;
  }
}

TEST(BackImageTest, LinesAreClippedToTheImage) {
  BackImage image(4, 3, kPaper);
  image.Line(-2, 1, 10, 1, kInk);    // across, both ends outside
  image.Line(3, -5, 3, 100, kInk);   // down the last column
  image.Line(-9, -9, -1, -1, kInk);  // wholly outside
  EXPECT_EQ(Inked(image), (Points{{0, 1}, {1, 1}, {2, 1}, {3, 0}, {3, 1}, {3, 2}}));
}

TEST(BackImageTest, ResizeKeepsWhatStillFitsAndFillsTheRest) {
  BackImage image(3, 2, kPaper);
  image.Line(0, 1, 3, 1, kInk);
  image.Resize(5, 1);
  EXPECT_EQ(image.Width(), 5);
  EXPECT_EQ(image.Height(), 1);
  EXPECT_EQ(image.Pixels(), std::vector<ui::COLORREF>(5, kPaper));
  image.Resize(2, 3);
  image.Line(0, 2, 2, 2, kInk);
  EXPECT_EQ(Inked(image), (Points{{0, 2}, {1, 2}}));
}

}  // namespace
}  // namespace lyn::sim
