// lynsim new DIR [--preset NAME] [--set FIELD=VALUE ...]: makes a machine.
// "--set Security:PATH=TEXT" gives a file, folder or key an owner and list.
#include <iostream>
#include <memory>
#include <stdexcept>

#include "cmd_acl.h"
#include "command.h"
#include "install_layout.h"
#include "platform/sim/machine/demo_files.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/security/security_text.h"
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
  // "Security:PATH=TEXT" settings describe the machine's objects, not its
  // profile: they apply once the machine exists.
  std::vector<std::string> fields;
  std::vector<std::pair<std::string, std::string>> security;
  for (const std::string& setting : options.settings) {
    const auto equals = setting.find('=');
    if (setting.rfind(kSecurityField, 0) == 0 && equals != std::string::npos) {
      const std::size_t start = std::string(kSecurityField).size();
      security.emplace_back(setting.substr(start, equals - start), setting.substr(equals + 1));
    } else {
      fields.push_back(setting);
    }
  }
  ApplySettings(profile, fields);
  // The owners and lists are read before the machine is made, so that one
  // naming an account the machine lacks leaves no machine behind.
  try {
    for (const auto& [path, text] : security) {
      sim::Descriptor checked;
      sim::ApplySddl(text, checked);
    }
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  const sim::Machine machine = sim::Machine::Create(options.folder, profile);
  sim::PlaceDemoFiles(machine, ProductFolder());
  for (const auto& [path, text] : security) SetSecurity(machine, path, text);
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
