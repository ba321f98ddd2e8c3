// lynsim presets: the named machines, one a line.
#include <algorithm>
#include <iomanip>
#include <iostream>

#include "command.h"
#include "platform/sim/machine/profile.h"

namespace lyn::lynsim {
namespace {

int RunPresets() {
  std::size_t width = 0;
  for (const auto& preset : sim::Presets()) width = std::max(width, preset.name.size());
  for (const auto& preset : sim::Presets()) {
    std::cout << std::left << std::setw(static_cast<int>(width) + 2) << preset.name
              << preset.description << "\n";
  }
  return kExitDone;
}

const Command kPresets([](CLI::App& app) {
  AddCommand(app, "presets", "The named machines 'lynsim new --preset' makes, the default first",
             "lynsim presets");
  return RunPresets;
});

}  // namespace
}  // namespace lyn::lynsim
