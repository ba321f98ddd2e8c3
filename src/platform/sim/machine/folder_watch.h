// Which of the folders a process looked at have changed since, as the host
// reports changes to them (inotify): what the process kept of a watched
// folder's entries stays right, without asking the host about each entry,
// until the host reports a change in that folder. The host reports every
// entry made, removed or renamed in the folder, every write to a file in it
// and every change of an entry's attributes or times; it does not report a
// change to what a folder in the folder holds (that folder's own time), a
// change made through a hard link in another folder, or writes through a
// shared memory mapping.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace lyn::sim {

class FolderWatch {
 public:
  FolderWatch() = default;
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // A mark of the folder open as `folder` (any descriptor of it) as it is
  // now, to be taken before its entries are read; nullopt when the host
  // cannot watch it.
  struct Mark {
    int watch = -1;
    std::uint64_t changes = 0;     // reports of the folder so far
    std::uint64_t everything = 0;  // reports that reports were lost
  };
  std::optional<Mark> Now(int folder);
  // Whether no change to the folder was reported since the mark was taken.
  bool Unchanged(const Mark& mark);

 private:
  // Reads the reports waiting; false when the watch is not working.
  bool Catch();

  std::mutex lock_;
  int fd_ = -1;
  int process_ = 0;  // the process that opened fd_
  std::uint64_t everything_ = 0;
  std::unordered_map<int, std::uint64_t> changes_;  // by watch
};

}  // namespace lyn::sim
