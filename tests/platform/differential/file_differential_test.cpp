// The same kernel32 file calls and shell file operations on the emulated
// machine and on Wine give the same results: Wine enforces share modes as
// Windows does. Skipped, with a message, only when Wine cannot start.
#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"
#include "platform/differential/file_sequence.h"
#include "platform/differential/wine_prefix.h"

namespace lyn::differential {
namespace {

TEST(FileDifferentialTest, TheMachineAnswersAsWineDoes) {
  const WinePrefix wine;
  const auto out = wine.Run(std::string(LYN_TEST_WINE_DIR) + "/file_calls.exe");
  if (!out) GTEST_SKIP() << "Wine cannot start (" << WinePrefix::kWine << "): no differential run";
  fakes::MachinePlatform machine;
  EXPECT_EQ(
      RunFileSequence(machine.platform().kernel32, machine.platform().shell32, "C:\\lyn-files"),
      *out);
}

}  // namespace
}  // namespace lyn::differential
