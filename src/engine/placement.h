// Where the file of a manifest row goes, by its destination code: written
// once for the file phase and the registration phase.
#pragma once

#include <string>
#include <string_view>

#include "common/setup_state.h"

namespace lyn {

struct Placement {
  // The folder the file is placed in; null for a code that places nothing.
  std::string* folder = nullptr;
  // The log section of the file's copy.
  std::string* section = nullptr;
  // A shared library or control of the system or DAO folder: the present
  // file's owner and access are asked before it is replaced, and the placed
  // file registers itself.
  bool shared = false;
};

Placement PlacementOf(SetupState& state, std::string_view code);

}  // namespace lyn
