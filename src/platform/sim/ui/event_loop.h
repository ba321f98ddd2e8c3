// The message loop of a window backend: the headless one keeps a virtual
// clock and plays a script; the FLTK one waits for a person.
#pragma once

#include <string>
#include <vector>

namespace lyn::sim {

class EventLoop {
 public:
  virtual ~EventLoop() = default;

  // Runs until the last form is closed (or the process ends).
  virtual void Run() = 0;
  // Handles what is pending at this moment, once.
  virtual void DoEvents() = 0;
  // The scripted clicks not played yet.
  virtual std::vector<std::string> ClicksLeft() const = 0;
};

}  // namespace lyn::sim
