// Runs the matrix's combinations side by side, each in a process group of
// its own, so that one that fails or hangs takes nothing else with it: a
// job past its time limit is killed with every process it started, and the
// others go on. The calling process stays small (it only forks and waits),
// so each job starts from the same memory and gives it all back at its end.
#pragma once

#include <cstddef>
#include <functional>

namespace lyn::lynsim {

struct JobEnd {
  enum class Kind {
    Finished,    // exited with status 0
    Failed,      // exited with another status, or was killed by a signal
    CutAtLimit,  // killed at its time limit
  };
  Kind kind = Kind::Finished;
  // The most resident memory any one of the job's processes had, in KiB.
  long peakKiB = 0;
};

struct JobsPlan {
  std::size_t count = 0;
  std::size_t parallel = 1;
  double limitSeconds = 60;
  // Runs job `index` in its own process; returns that process's exit status.
  std::function<int(std::size_t index)> body;
  // Hears of each job's end, in the calling process, in the order they end.
  std::function<void(std::size_t index, const JobEnd& end)> ended;
  // Called about once a second while jobs run (for a progress display).
  std::function<void()> tick;
};

// Runs every job; returns when all have ended. SIGINT or SIGTERM kills the
// running jobs and throws std::runtime_error.
void RunJobs(const JobsPlan& plan);

}  // namespace lyn::lynsim
