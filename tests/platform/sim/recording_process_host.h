// A process host for tests: records message boxes and topmost requests,
// answers boxes with a set answer, and ends the process by throwing.
#pragma once

#include <string>
#include <vector>

#include "platform/api/user32.h"
#include "platform/sim/process_host.h"

namespace lyn::sim::testing {

struct EndedProcess {
  win::UINT exitCode;
};

class RecordingProcessHost : public ProcessHost {
 public:
  struct Box {
    std::string text;
    std::string caption;
    win::UINT type;
  };

  int MessageBox(const std::string& text, const std::string& caption, win::UINT type) override {
    boxes.push_back({text, caption, type});
    return answer;
  }
  void SetTopmost(win::HWND window) override { topmost.push_back(window); }
  [[noreturn]] void EndProcess(win::UINT exitCode) override { throw EndedProcess{exitCode}; }

  int answer = win::IDOK;
  std::vector<Box> boxes;
  std::vector<win::HWND> topmost;
};

}  // namespace lyn::sim::testing
