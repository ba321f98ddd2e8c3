// OperatingSystem: names the running Windows edition and classifies it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "common/module_state.h"
#include "platform/api/platform.h"

namespace lyn::OperatingSystem {

// A version or WOW64 query that failed: error number -1, no description.
class OSInfoError : public std::runtime_error {
 public:
  OSInfoError() : std::runtime_error("") {}
  static constexpr int kNumber = -1;
};

// Identifies the running system and sets Is64BitOS. Throws OSInfoError.
OSInfo GetOSInfo(Platform& platform);

}  // namespace lyn::OperatingSystem
