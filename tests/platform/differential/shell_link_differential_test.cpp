// A shortcut saved by the platform's shell link object under Wine and one
// saved by the emulated machine's read back alike. Skipped, with a message,
// only when Wine cannot start.
#include <gtest/gtest.h>

#include <string>

#include "fakes/lnkinfo_reader.h"
#include "fakes/machine_platform.h"
#include "platform/differential/shell_link_sequence.h"
#include "platform/differential/wine_prefix.h"

namespace lyn::differential {
namespace {

// What may legitimately differ is left out: the target's times, size and
// attributes (Wine records none), the volume's serial number and label, the
// target's item list (Wine adds one).
constexpr const char* kAgreeing[] = {"Local path",  "Working directory", "Command line arguments",
                                     "Description", "Icon location",     "Icon index",
                                     "Drive type"};

TEST(ShellLinkDifferentialTest, TheMachinesShortcutReadsAsWinesDoes) {
  const WinePrefix wine;
  const auto out = wine.Run(std::string(LYN_TEST_WINE_DIR) + "/shell_link_calls.exe");
  if (!out) GTEST_SKIP() << "Wine cannot start (" << WinePrefix::kWine << "): no differential run";
  ASSERT_EQ(*out, "0\n");
  auto expected = fakes::ReadWithLnkinfo(wine.DriveC() / "lyn-diff.lnk");

  fakes::MachinePlatform machine;
  machine.PutFile(kLinkTarget, "editor");
  ASSERT_EQ(SaveShortcut(machine.platform().com), win::S_OK);
  auto actual = fakes::ReadWithLnkinfo(machine.Host("C:\\lyn-diff.lnk"));
  for (const char* field : kAgreeing) {
    EXPECT_EQ(actual[field], expected[field]) << field;
  }
  EXPECT_EQ(fakes::ShowCommandOf(machine.Host("C:\\lyn-diff.lnk")),
            fakes::ShowCommandOf(wine.DriveC() / "lyn-diff.lnk"));
}

}  // namespace
}  // namespace lyn::differential
