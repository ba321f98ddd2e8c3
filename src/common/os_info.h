// The operating-system record of the identification and the check at load.
#pragma once

#include <cstdint>
#include <string>

namespace lyn::OperatingSystem {

struct OSInfo {
  std::string OSName;
  std::int32_t OSCode = 0;
  std::string BuildNumber;
  std::string ServicePack;
  std::string OSDescription;
};

}  // namespace lyn::OperatingSystem
