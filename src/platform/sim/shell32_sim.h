// shell32 of the emulated machine: the special folders of its profile, and
// the shell's file operation on its files.
#pragma once

#include <string>
#include <vector>

#include "platform/api/shell32.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

class SimShell32 : public win::Shell32 {
 public:
  explicit SimShell32(const Machine& machine) : machine_(machine) {}

  win::HRESULT SHGetFolderPathA(win::HWND owner, int folder, win::HANDLE token, win::DWORD flags,
                                win::LPSTR path) override;
  // In file_operation_sim.cpp.
  int SHFileOperationA(win::SHFILEOPSTRUCTA* operation) override;

  const Machine& machine() const { return machine_; }
  // The destination of each copy that failed, as the caller named it (the
  // file, or the folder copied into), in order: what the run's record
  // reports, even when the program could not log it.
  const std::vector<std::string>& notCopied() const { return notCopied_; }

 private:
  const Machine& machine_;
  std::vector<std::string> notCopied_;
};

}  // namespace lyn::sim
