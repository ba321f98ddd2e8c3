#include "resources/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace lyn::res {
namespace {

struct PictureCase {
  const char* name;
  const ui::Picture* picture;
  int width;
  int height;
  bool opaque;
};

const PictureCase kPictures[] = {
    {"window icon", &kWindowIcon, 48, 48, false},
    {"left corner", &kCornerLeft, 48, 48, false},
    {"right corner", &kCornerRight, 48, 48, false},
    {"map panel", &kMapPanel, 210, 160, true},
    {"catalogue panel", &kCatalogPanel, 202, 121, true},
    {"banner", &kBanner, 265, 33, true},
    {"tick", &kTick, 24, 24, false},
    {"cross", &kCross, 24, 24, false},
};

int AlphaAt(const ui::Picture& p, int x, int y) {
  return p.rgba[(y * p.width + x) * 4 + 3];
}

TEST(ResourcesTest, PicturesHaveTheirSizesAndCoverage) {
  for (const auto& c : kPictures) {
    SCOPED_TRACE(c.name);
    const ui::Picture& p = *c.picture;
    ASSERT_EQ(p.width, c.width);
    ASSERT_EQ(p.height, c.height);
    ASSERT_NE(p.rgba, nullptr);
    // Round artwork leaves its corners see-through; the panels cover their
    // whole rectangle (pictures stored without alpha become opaque).
    EXPECT_EQ(AlphaAt(p, 0, 0), c.opaque ? 255 : 0);
    EXPECT_EQ(AlphaAt(p, p.width - 1, p.height - 1), c.opaque ? 255 : 0);
    EXPECT_EQ(AlphaAt(p, p.width / 2, p.height / 2), 255);
  }
}

TEST(ResourcesTest, TickIsGreenAndCrossIsRed) {
  const auto centre = [](const ui::Picture& p, int channel) {
    return p.rgba[((p.height / 2 - 6) * p.width + p.width / 2) * 4 + channel];
  };
  EXPECT_GT(centre(kTick, 1), centre(kTick, 0));
  EXPECT_GT(centre(kCross, 0), centre(kCross, 1));
}

TEST(ResourcesTest, LicenceIsPlainTextWithCrLfLineEnds) {
  const std::string_view text = kLicenceText;
  EXPECT_GT(text.size(), 4000u);
  EXPECT_LT(text.size(), 4800u);
  EXPECT_NE(text.find("Lynwood Catalog Suite 6.7"), std::string_view::npos);
  EXPECT_NE(text.find("Orrin Works"), std::string_view::npos);
  EXPECT_TRUE(text.ends_with("\r\n"));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    ASSERT_LT(c, 0x80) << "at " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
}

}  // namespace
}  // namespace lyn::res
