#include "platform/sim/fltk/picture_raster.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace lyn::sim::fltk {
namespace {

using Pixel = std::array<int, 4>;

Pixel At(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = &image.rgba[static_cast<std::size_t>((y * image.width + x) * 4)];
  return {p[0], p[1], p[2], p[3]};
}

// A picture from a list of RGBA pixels, row by row.
struct OwnedPicture {
  std::vector<std::uint8_t> bytes;
  ui::Picture picture;

  OwnedPicture(int width, int height, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels) bytes.insert(bytes.end(), p.begin(), p.end());
    picture = {width, height, bytes.data()};
  }
};

TEST(PictureRasterTest, StretchAveragesTheAreasEachPixelCovers) {
  const Pixel red{255, 0, 0, 255};
  const Pixel blue{0, 0, 255, 255};
  const OwnedPicture checker(2, 2, {red, blue, blue, red});

  const RgbaImage one = Stretch(checker.picture, 1, 1);
  EXPECT_EQ(At(one, 0, 0), (Pixel{128, 0, 128, 255}));

  // Doubling repeats each source pixel over a 2 x 2 block.
  const RgbaImage doubled = Stretch(checker.picture, 4, 4);
  EXPECT_EQ(At(doubled, 1, 1), red);
  EXPECT_EQ(At(doubled, 2, 1), blue);

  // Three source columns into two: the middle one is shared half and half.
  const OwnedPicture row(3, 1, {red, {0, 0, 0, 255}, blue});
  const RgbaImage two = Stretch(row.picture, 2, 1);
  EXPECT_EQ(At(two, 0, 0), (Pixel{170, 0, 0, 255}));
  EXPECT_EQ(At(two, 1, 0), (Pixel{0, 0, 170, 255}));

  // Colours are weighted by their opacity: a transparent pixel leaves no
  // dark fringe.
  const OwnedPicture edge(2, 1, {{255, 255, 255, 255}, {0, 0, 0, 0}});
  EXPECT_EQ(At(Stretch(edge.picture, 1, 1), 0, 0), (Pixel{255, 255, 255, 128}));
}

TEST(PictureRasterTest, ComposeBlendsOverTheBackImageAndShowsBlackOutsideIt) {
  BackImage under(4, 4, ui::RGB(0, 0, 200));
  const OwnedPicture picture(2, 1, {{255, 0, 0, 255}, {255, 255, 255, 0}});
  const RgbaImage top = Stretch(picture.picture, 2, 1);

  const auto inside = Compose(under, 1, 1, top);
  EXPECT_EQ((std::vector<int>(inside.begin(), inside.end())),
            (std::vector<int>{255, 0, 0, 0, 0, 200}));

  const OwnedPicture half(1, 1, {{255, 0, 0, 128}});
  const auto blended = Compose(under, 0, 0, Stretch(half.picture, 1, 1));
  EXPECT_EQ((std::vector<int>(blended.begin(), blended.end())), (std::vector<int>{128, 0, 100}));

  // Hanging off the right edge: the part beyond the image shows black.
  const auto outside = Compose(under, 3, 0, top);
  EXPECT_EQ((std::vector<int>(outside.begin(), outside.end())),
            (std::vector<int>{255, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lyn::sim::fltk
