// lynsim new DIR [--preset NAME] [--set FIELD=VALUE ...]: makes a machine.
// "--set Security:PATH=TEXT" gives a file, folder or key an owner and list.
#include <iostream>
#include <stdexcept>

#include "cmd_acl.h"
#include "command.h"
#include "platform/sim/machine/machine.h"

namespace lyn::lynsim {
namespace {

int RunNew(const Args& args) {
  std::string folder;
  std::string presetName = sim::DefaultPresetName();
  std::vector<std::pair<std::string, std::string>> settings;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--preset" || arg == "--set") {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      const std::string& value = args[++i];
      if (arg == "--preset") {
        presetName = value;
        continue;
      }
      const auto equals = value.find('=');
      if (equals == std::string::npos || equals == 0) {
        throw UsageError{"--set expects FIELD=VALUE, not '" + value + "'"};
      }
      settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (arg.rfind("--", 0) == 0) {
      throw UsageError{"unknown option '" + arg + "'"};
    } else if (folder.empty()) {
      folder = arg;
    } else {
      throw UsageError{"one machine folder only, not also '" + arg + "'"};
    }
  }
  if (folder.empty()) throw UsageError{"no machine folder given"};
  sim::Profile profile;
  std::vector<std::pair<std::string, std::string>> security;
  try {
    profile = sim::FindPreset(presetName).profile;
    for (const auto& [field, value] : settings) {
      if (field.rfind(kSecurityField, 0) == 0) {
        security.emplace_back(field.substr(std::string(kSecurityField).size()), value);
      } else {
        sim::SetField(profile, field, value);
      }
    }
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  const sim::Machine machine = sim::Machine::Create(folder, profile);
  try {
    for (const auto& [path, text] : security) SetSecurity(machine, path, text);
  } catch (const std::invalid_argument& e) {
    throw UsageError{e.what()};
  }
  std::cout << "made machine " << machine.Root().string() << " from preset " << presetName << "\n";
  return 0;
}

const Command command("new", "new DIR [--preset NAME] [--set FIELD=VALUE ...]", RunNew);

}  // namespace
}  // namespace lyn::lynsim
