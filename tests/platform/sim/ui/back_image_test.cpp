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
      {"horizontal backwards", 4, 1, 1, 1, {{4, 1}, {3, 1}, {2, 1}}},
      {"shallow", 0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {"steep", 0, 0, 2, 5, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
      {"anti-diagonal", 0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}}},
      {"no length", 2, 2, 2, 2, {}},
  };
  for (const auto& c : cases) {
    BackImage image(8, 8, kPaper);
    image.Line(c.x1, c.y1, c.x2, c.y2, kInk);
    EXPECT_EQ(Inked(image), c.expected) << c.name;
  }
}

TEST(BackImageTest, LinesAreClippedAndResizingKeepsWhatStillFits) {
  BackImage image(4, 3, kPaper);
  image.Line(-2, 1, 10, 1, kInk);    // across, both ends outside
  image.Line(3, -5, 3, 100, kInk);   // down the last column
  image.Line(-9, -9, -1, -1, kInk);  // wholly outside
  EXPECT_EQ(Inked(image), (Points{{0, 1}, {1, 1}, {2, 1}, {3, 0}, {3, 1}, {3, 2}}));

  image.Resize(2, 4);
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.Height(), 4);
  EXPECT_EQ(Inked(image), (Points{{0, 1}, {1, 1}}));
  EXPECT_EQ(image.At(1, 3), kPaper);
  image.Resize(3, 2);
  EXPECT_EQ(Inked(image), (Points{{0, 1}, {1, 1}}));
  EXPECT_EQ(image.At(2, 1), kPaper);

  // Sized again before anything is drawn, an image draws at its new size.
  BackImage blank(2, 2, kPaper);
  blank.Resize(5, 1);
  blank.Line(0, 0, 9, 0, kInk);
  EXPECT_EQ(Inked(blank), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
}

}  // namespace
}  // namespace lyn::sim
