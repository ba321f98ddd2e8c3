#pragma once

#include <stdexcept>

namespace lyn::sim {

// A bad machine folder, a malformed profile, or a path that cannot be
// contained in the machine. The message is one line, fit for a user.
class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lyn::sim
