#include "resources/resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace lyn::res {
namespace {

int AlphaAt(const ui::Picture& p, int x, int y) {
  return p.rgba[(y * p.width + x) * 4 + 3];
}

// Round artwork leaves its corners see-through; the panels cover their whole
// rectangle (pictures stored without alpha become opaque).
TEST(ResourcesTest, PicturesCoverWhatTheirArtworkCovers) {
  const struct {
    const ui::Picture* picture;
    bool opaque;
  } cases[] = {{&kWindowIcon, false}, {&kCornerLeft, false},  {&kCornerRight, false},
               {&kMapPanel, true},    {&kCatalogPanel, true}, {&kBanner, true},
               {&kTick, false},       {&kCross, false}};
  for (const auto& c : cases) {
    const ui::Picture& p = *c.picture;
    SCOPED_TRACE(::testing::Message() << p.width << "x" << p.height);
    ASSERT_NE(p.rgba, nullptr);
    EXPECT_EQ(AlphaAt(p, 0, 0), c.opaque ? 255 : 0);
    EXPECT_EQ(AlphaAt(p, p.width - 1, p.height - 1), c.opaque ? 255 : 0);
    EXPECT_EQ(AlphaAt(p, p.width / 2, p.height / 2), 255);
  }
  const auto green = [](const ui::Picture& p) {
    const std::uint8_t* centre = p.rgba + ((p.height / 2 - 6) * p.width + p.width / 2) * 4;
    return centre[1] > centre[0];
  };
  EXPECT_TRUE(green(kTick));
  EXPECT_FALSE(green(kCross));
}

TEST(ResourcesTest, LicenceIsAsciiWithCrLfLineEnds) {
  const std::string_view text = kLicenceText;
  EXPECT_NE(text.find("Lynwood Catalog Suite 6.7"), std::string_view::npos);
  EXPECT_TRUE(text.ends_with("\r\n"));
  for (std::size_t i = 0; i < text.size(); ++i) {
    ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80) << "at " << i;
    const bool bareLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    const bool bareCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
    ASSERT_FALSE(bareLf || bareCr) << "bare line end at " << i;
  }
}

}  // namespace
}  // namespace lyn::res
