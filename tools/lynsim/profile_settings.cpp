#include "profile_settings.h"

#include <stdexcept>

#include "command.h"

namespace lyn::lynsim {

void ApplySettings(sim::Profile& profile, const std::vector<std::string>& settings) {
  for (const std::string& setting : settings) {
    const auto equals = setting.find('=');
    if (equals == std::string::npos || equals == 0) {
      throw UsageError{"expected FIELD=VALUE, not '" + setting + "'"};
    }
    try {
      sim::SetField(profile, setting.substr(0, equals), setting.substr(equals + 1));
    } catch (const std::invalid_argument& e) {
      throw UsageError{e.what()};
    }
  }
}

}  // namespace lyn::lynsim
