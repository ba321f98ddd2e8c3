#include "shell/chk_previous_instance.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace lyn {
namespace {

using fakes::FakePlatform;

TEST(IsPreviousInstanceTest, CountsOnlyExactApplicationWindows) {
  FakePlatform fake;
  ChkPreviousInstance::AppTitle = "LYNSetup";
  fake.user32.windows = {
      {"ThunderRT6Main", "LYNSetup"},   // this copy's own window
      {"LYNSetupForm", "LYNSetup"},     // another class
      {"ThunderRT6Main", "LYN Setup"},  // another caption
      {"ThunderRT6Main", "lynsetup"},   // differs in letter case only
      {"thunderrt6main", "LYNSetup"},  {"ThunderRT6Main", "LYNSetup "},
  };
  EXPECT_FALSE(ChkPreviousInstance::IsPreviousInstance(fake.platform));
  EXPECT_EQ(ChkPreviousInstance::MatchCount, 1);
  EXPECT_EQ(ChkPreviousInstance::MatchWindow, 1u);

  fake.user32.windows.push_back({"ThunderRT6Main", "LYNSetup"});
  EXPECT_TRUE(ChkPreviousInstance::IsPreviousInstance(fake.platform));
  EXPECT_EQ(ChkPreviousInstance::MatchCount, 2) << "the count starts afresh at each check";
  EXPECT_EQ(ChkPreviousInstance::MatchWindow, fake.user32.windows.size());
}

// A second copy's end, silent and before any window, is TwoCopiesTest's.

}  // namespace
}  // namespace lyn
