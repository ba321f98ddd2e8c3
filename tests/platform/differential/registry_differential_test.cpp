// The same registry calls on the emulated machine and on Wine give the same
// results. Skipped, with a message, only when Wine cannot start.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "fakes/machine_platform.h"
#include "platform/differential/registry_sequence.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::differential {
namespace {

constexpr const char* kWine = "/usr/lib/wine/wine64";

// What a Windows program prints under Wine in a fresh prefix, without the
// carriage returns; nullopt when Wine does not run it.
std::optional<std::string> RunUnderWine(const std::string& program) {
  const sim::testing::ScratchFolder prefix;
  const std::string command = "WINEPREFIX='" + prefix.path().string() + "' WINEDEBUG=-all " +
                              kWine + " '" + program + "' 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char chunk[4096];
  while (const std::size_t read = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, read);
  if (::pclose(pipe) != 0 || out.empty()) return std::nullopt;
  std::erase(out, '\r');
  return out;
}

TEST(RegistryDifferentialTest, TheMachineAnswersAsWineDoes) {
  const auto wine = RunUnderWine(std::string(LYN_TEST_WINE_DIR) + "/registry_calls.exe");
  if (!wine) GTEST_SKIP() << "Wine cannot start (" << kWine << "): no differential run";
  fakes::MachinePlatform machine;
  EXPECT_EQ(RunRegistrySequence(machine.platform().registry), *wine);
}

}  // namespace
}  // namespace lyn::differential
