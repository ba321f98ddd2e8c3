// The top-level windows of every process running on one machine. Each
// process keeps its own windows in one file of the machine's "desktop"
// folder; a window counts only while the process that made it is alive, so a
// process that died (or whose number was reused) leaves nothing behind.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/api/win_types.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

struct TopLevelWindow {
  win::HWND handle = 0;
  int processId = 0;
  std::string className;  // UTF-8
  std::string caption;    // UTF-8
  bool visible = false;
};

// Several Desktop objects of one process on the same machine share that
// process's windows (the user32 emulation and the window backends may each
// hold one).
class Desktop {
 public:
  explicit Desktop(const Machine& machine);

  // Registers a window of this process; its handle is unique among the live
  // processes of the machine.
  win::HWND Add(const std::string& className, const std::string& caption, bool visible);
  // Change or drop a window of this process; false for any other handle.
  bool SetCaption(win::HWND window, const std::string& caption);
  bool SetVisible(win::HWND window, bool visible);
  bool Remove(win::HWND window);
  void RemoveAllOfThisProcess();

  // The windows of every live process, this one's first.
  std::vector<TopLevelWindow> List() const;
  std::optional<TopLevelWindow> Find(win::HWND window) const;
  bool IsOwn(win::HWND window) const;

 private:
  struct ProcessFile {
    int processId = 0;
    unsigned long long startTime = 0;
    std::vector<TopLevelWindow> windows;
  };

  std::filesystem::path FileOf(int processId) const;
  ProcessFile ReadOwn() const;
  void WriteOwn(const ProcessFile& file) const;
  template <typename Change>
  bool ChangeOwn(win::HWND window, Change change);

  std::filesystem::path folder_;
  int processId_;
  unsigned long long startTime_;
  std::chrono::milliseconds delay_;
};

}  // namespace lyn::sim
