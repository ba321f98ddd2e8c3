// A private X display for runs on a machine without one: an Xvfb server on a
// display number the server picks itself, stopped when the object goes away
// or the process ends.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace lyn::sim::fltk {

class PrivateDisplay {
 public:
  // Starts the server with one screen of the given size and points DISPLAY
  // at it until the object goes away. Throws std::runtime_error when Xvfb
  // cannot be started or is not ready within a few seconds.
  PrivateDisplay(int width, int height);
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // The display's name, for example ":12".
  const std::string& Name() const { return name_; }

 private:
  pid_t server_ = -1;
  std::string name_;
  std::optional<std::string> previous_;  // DISPLAY before, if it was set
};

// Why no display can be used ("no display", "cannot open display ':9'"),
// or nothing when the one DISPLAY names opens.
std::optional<std::string> MissingDisplay();

}  // namespace lyn::sim::fltk
