// lynsim fields [--json]: every profile field with its type, its range, its
// value on the default preset and its meaning, grouped.
#include <iomanip>
#include <iostream>

#include "command.h"
#include "platform/sim/machine/profile.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

int RunFields(bool json) {
  const auto fields = sim::DescribeFields(sim::FindPreset(sim::DefaultPresetName()).profile);
  if (json) {
    Record list = Record::array();
    for (const auto& f : fields) {
      list.push_back({{"group", f.group},
                      {"name", f.name},
                      {"type", f.type},
                      {"range", f.range},
                      {"default", f.value},
                      {"meaning", f.meaning}});
    }
    std::cout << Record{{"defaultsFrom", sim::DefaultPresetName()}, {"fields", list}}.dump()
              << "\n";
    return kExitDone;
  }
  std::cout << "Profile fields (defaults from preset " << sim::DefaultPresetName()
            << "; numbers in decimal or 0x hexadecimal):\n";
  std::string group;
  for (const auto& f : fields) {
    if (f.group != group) {
      group = f.group;
      std::cout << "\n" << group << "\n";
    }
    std::cout << "  " << std::left << std::setw(28) << f.name << f.type << ", " << f.range
              << ", default " << (f.value.empty() ? "empty" : "'" + f.value + "'") << "\n"
              << "  " << std::setw(28) << "" << f.meaning << "\n";
  }
  return kExitDone;
}

const Command kFields([](CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App& command = AddCommand(
      app, "fields",
      "Every profile field: its type, what it may hold, its value on the default preset and "
      "what it means, grouped",
      "lynsim fields");
  AddJsonFlag(command, *json);
  return [json] { return RunFields(*json); };
});

}  // namespace
}  // namespace lyn::lynsim
