// The same registry calls on the emulated machine and on Wine give the same
// results. Skipped, with a message, only when Wine cannot start.
#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"
#include "platform/differential/registry_sequence.h"
#include "platform/differential/wine_prefix.h"

namespace lyn::differential {
namespace {

TEST(RegistryDifferentialTest, TheMachineAnswersAsWineDoes) {
  const WinePrefix wine;
  const auto out = wine.Run(std::string(LYN_TEST_WINE_DIR) + "/registry_calls.exe");
  if (!out) GTEST_SKIP() << "Wine cannot start (" << WinePrefix::kWine << "): no differential run";
  fakes::MachinePlatform machine;
  EXPECT_EQ(RunRegistrySequence(machine.platform().registry), *out);
}

}  // namespace
}  // namespace lyn::differential
