// lynsim set DIR FIELD=VALUE...: changes the profile of an existing machine.
#include <iostream>
#include <memory>

#include "command.h"
#include "platform/sim/machine/machine.h"
#include "profile_settings.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  std::vector<std::string> settings;
};

int RunSet(const Options& options) {
  sim::Machine::ChangeProfile(
      options.folder, [&](sim::Profile& profile) { ApplySettings(profile, options.settings); });
  std::cout << "changed " << options.settings.size()
            << (options.settings.size() == 1 ? " field" : " fields") << " of machine "
            << options.folder << "\n";
  return kExitDone;
}

const Command kSet([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "set",
      "Changes profile fields of an existing machine; files already on it stay, and so do the "
      "comments in its profile.ini. Values are checked as in the profile file and 'new --set'",
      "lynsim set /tmp/m dwMajorVersion=5 dwMinorVersion=1 \"szCSDVersion=Service Pack 3\"");
  AddMachineFolder(command, options->folder);
  command.add_option("FIELD=VALUE", options->settings, "the fields to change (lynsim fields)")
      ->required();
  return [options] { return RunSet(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
