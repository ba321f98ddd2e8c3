#include "engine/version_compare.h"

#include <gtest/gtest.h>

#include "engine/manifest.h"

namespace lyn {
namespace {

TEST(CompareVersions, MajorAndMinorOnlyOverATable) {
  const struct {
    const char* present;
    const char* shipped;
    bool newer;
    const char* presentText;
    const char* shippedText;
  } table[] = {
      {"4.0.9511.0", "4.0.9511.0", false, "4.0", "4.0"},
      {"5.9.1.0", "6.0.0.0", true, "5.9", "6.0"},
      {"6.1.0.0", "6.0.99.99", false, "6.1", "6.0"},
      {"6.0.81.4", "6.0.81.5", false, "6.0", "6.0"},  // third and fourth parts ignored
      {"4.9.0.0", "4.10.0.0", true, "4.9", "4.10"},   // numbers, not texts
      {"", "4.0.9502.0", true, "0.0", "4.0"},         // no dot: 0.0
      {"7", "0.1.0.0", true, "0.0", "0.1"},
      {"06.007.0.0", "6.7.0.0", false, "6.7", "6.7"},  // plain decimal
      {"5.beta.0.0", "5.0.0.0", false, "5.0", "5.0"},  // not a number: 0
      {".5.0.0", "1.0.0.0", true, "0.5", "1.0"},
      {"2147483647.0", "2147483647.1", true, "2147483647.0", "2147483647.1"},
  };
  for (const auto& c : table) {
    Manifest::BuildManifest();
    EXPECT_EQ(CompareVersions(c.present, c.shipped, 19), c.newer) << c.present << " " << c.shipped;
    EXPECT_EQ(Manifest::PresentVersionText[19], c.presentText) << c.present;
    EXPECT_EQ(Manifest::ShippedVersionText[19], c.shippedText) << c.shipped;
  }
}

TEST(CompareVersions, OverflowOrABadRowAnswersFalseAndKeepsTheTexts) {
  Manifest::BuildManifest();
  Manifest::PresentVersionText[8] = "old";
  EXPECT_FALSE(CompareVersions("1.0.0.0", "2147483648.0.0.0", 8));
  EXPECT_FALSE(CompareVersions("1.99999999999.0.0", "9.0.0.0", 8));
  EXPECT_EQ(Manifest::PresentVersionText[8], "old");
  EXPECT_FALSE(CompareVersions("1.0", "2.0", 91));
  EXPECT_FALSE(CompareVersions("1.0", "2.0", -1));
}

TEST(BuildManifest, ResetsTheSurveyColumnsAndBoundsEveryAccess) {
  Manifest::BuildManifest();
  Manifest::InstallMark[48] = kTrue16;
  Manifest::ShippedVersionText[90] = "9.9";
  Manifest::BuildManifest();
  EXPECT_EQ(Manifest::InstallMark[48], kFalse16);
  EXPECT_EQ(Manifest::ShippedVersionText[90], "");
  EXPECT_THROW(Manifest::FileName[91], std::out_of_range);
  EXPECT_THROW(Manifest::InstallMark[-1], std::out_of_range);
}

}  // namespace
}  // namespace lyn
