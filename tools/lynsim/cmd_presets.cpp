// lynsim presets: the named machines, one a line.
#include <algorithm>
#include <iomanip>
#include <iostream>

#include "command.h"
#include "platform/sim/machine/profile.h"

namespace lyn::lynsim {
namespace {

int RunPresets(const Args& args) {
  if (!args.empty()) throw UsageError{"presets takes no arguments"};
  std::size_t width = 0;
  for (const auto& preset : sim::Presets()) width = std::max(width, preset.name.size());
  for (const auto& preset : sim::Presets()) {
    std::cout << std::left << std::setw(static_cast<int>(width) + 2) << preset.name
              << preset.description << "\n";
  }
  return 0;
}

const Command command("presets", "presets", RunPresets);

}  // namespace
}  // namespace lyn::lynsim
