// The process host of the inspection commands: they run parts of the setup
// program on a machine but show no window, answer no message box and never
// end the process.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/sim/process_host.h"

namespace lyn::lynsim {

class InspectionHost : public sim::ProcessHost {
 public:
  int MessageBox(win::HWND, const std::string&, const std::string& caption, win::UINT) override {
    throw std::logic_error("an inspection shows no message box (\"" + caption + "\")");
  }
  void SetTopmost(win::HWND) override {}
  [[noreturn]] void EndProcess(win::UINT) override {
    throw std::logic_error("an inspection does not end the process");
  }
};

}  // namespace lyn::lynsim
