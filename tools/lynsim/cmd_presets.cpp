// lynsim presets [--json]: the named machines, one a line.
#include <algorithm>
#include <iomanip>
#include <iostream>
#include <memory>

#include "command.h"
#include "platform/sim/machine/profile.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

int RunPresets(bool json) {
  if (json) {
    Record presets = Record::array();
    for (const auto& preset : sim::Presets()) {
      presets.push_back({{"name", preset.name}, {"description", preset.description}});
    }
    std::cout << Record{{"default", sim::DefaultPresetName()}, {"presets", presets}}.dump() << "\n";
    return kExitDone;
  }
  std::size_t width = 0;
  for (const auto& preset : sim::Presets()) width = std::max(width, preset.name.size());
  for (const auto& preset : sim::Presets()) {
    std::cout << std::left << std::setw(static_cast<int>(width) + 2) << preset.name
              << preset.description << "\n";
  }
  return kExitDone;
}

const Command kPresets([](CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App& command = AddCommand(
      app, "presets", "The named machines 'lynsim new --preset' makes, the default first",
      "lynsim presets");
  AddJsonFlag(command, *json);
  return [json] { return RunPresets(*json); };
});

}  // namespace
}  // namespace lyn::lynsim
