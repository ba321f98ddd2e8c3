// lynsim new DIR [--preset NAME] [--set FIELD=VALUE ...]: makes a machine.
#include <iostream>
#include <memory>
#include <stdexcept>

#include "command.h"
#include "platform/sim/machine/demo_files.h"
#include "platform/sim/machine/machine.h"
#include "profile_settings.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::string preset = sim::DefaultPresetName();
  std::vector<std::string> settings;
};

int RunNew(const Options& options) {
  sim::Profile profile;
  try {
    profile = sim::FindPreset(options.preset).profile;
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  ApplySettings(profile, options.settings);
  const sim::Machine machine = sim::Machine::Create(options.folder, profile);
  sim::PlaceDemoFiles(machine, LYN_PRODUCT_DIR);
  std::cout << "made machine " << machine.Root().string() << " from preset " << options.preset
            << "\n";
  return kExitDone;
}

const Command kNew([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "new", "Makes a machine in an empty or absent folder from a preset and settings",
      "lynsim new /tmp/m --preset win7-ultimate-x64 --set Drive.D=CDFS");
  AddMachineFolder(command, options->folder);
  command.add_option("--preset", options->preset, "the preset to start from (lynsim presets)")
      ->type_name("NAME")
      ->capture_default_str();
  command
      .add_option("--set", options->settings,
                  "a profile field's value (lynsim fields); may be repeated")
      ->type_name("FIELD=VALUE")
      ->allow_extra_args(false);
  return [options] { return RunNew(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
