// The top-level windows of every process running on one machine, kept in the
// machine's state store. A window counts only while the process that made it
// is alive (same process number and start time), so a process that died (or
// whose number was reused) leaves nothing behind.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// Test hooks: called, when set, just before the windows are listed and before
// a process takes down all its windows, so that tests can hold processes at
// these points and order them by events.
struct DesktopHooks {
  static inline std::function<void()> beforeListing;
  static inline std::function<void()> beforeRemovingAll;
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
  // Binds this process (number ?1, start time ?2) to a statement.
  void BindOwner(Statement& statement) const;
  // Runs `sql` (an UPDATE or DELETE, ?4 bound to `value`) on one window of
  // this process; false when it has no such window.
  bool ChangeOwn(std::string_view sql, win::HWND window, const std::optional<std::string>& value);

  Machine machine_;
  int processId_;
  unsigned long long startTime_;
};

}  // namespace lyn::sim
