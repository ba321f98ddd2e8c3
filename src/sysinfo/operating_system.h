// OperatingSystem: names the running Windows edition and classifies it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/api/platform.h"
#include "shell/boolean16.h"

namespace lyn::OperatingSystem {

struct OSInfo {
  std::string OSName;
  std::int32_t OSCode = 0;
  std::string BuildNumber;
  std::string ServicePack;
  std::string OSDescription;
};

// A version or WOW64 query that failed: error number -1, no description.
class OSInfoError : public std::runtime_error {
 public:
  OSInfoError() : std::runtime_error("") {}
  static constexpr int kNumber = -1;
};

// Module-wide: the record of the operating-system check and the 64-bit flag
// (false when the process starts).
extern OSInfo Info;
extern Boolean16 Is64BitOS;

// Identifies the running system and sets Is64BitOS. Throws OSInfoError.
OSInfo GetOSInfo(Platform& platform);

}  // namespace lyn::OperatingSystem
