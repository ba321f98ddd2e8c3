// An advisory lock on a machine folder, held by whoever rewrites the
// machine's profile file: processes that change it at the same time take
// turns, so none loses another's change.
#pragma once

#include <filesystem>

namespace lyn::sim {

class FolderLock {
 public:
  // Waits for the lock; throws MachineError when the folder cannot be locked.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace lyn::sim
