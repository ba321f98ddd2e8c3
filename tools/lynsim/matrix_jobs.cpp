#include "matrix_jobs.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>

namespace lyn::lynsim {
namespace {

using Clock = std::chrono::steady_clock;

struct Running {
  std::size_t index;
  Clock::time_point started;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Blocks the signals the loop waits for while it runs, and gives the
// previous mask back.
class BlockedSignals {
 public:
  BlockedSignals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGCHLD);
    sigaddset(&set_, SIGINT);
    sigaddset(&set_, SIGTERM);
    sigprocmask(SIG_BLOCK, &set_, &previous_);
  }
  BlockedSignals(const BlockedSignals&) = delete;
  BlockedSignals& operator=(const BlockedSignals&) = delete;
  ~BlockedSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

  const sigset_t& set() const { return set_; }
  const sigset_t& previous() const { return previous_; }

 private:
  sigset_t set_;
  sigset_t previous_;
};

pid_t Start(const JobsPlan& plan, std::size_t index, const BlockedSignals& signals) {
  std::cout.flush();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("cannot start a process for a combination");
  if (pid == 0) {
    setpgid(0, 0);
    sigprocmask(SIG_SETMASK, &signals.previous(), nullptr);
    int status = 1;
    try {
      status = plan.body(index);
    } catch (const std::exception& e) {
      std::cerr << "lynsim: " << e.what() << std::endl;
    }
    std::_Exit(status);
  }
  // Also here, so that a kill of the group cannot come before the child made it.
  setpgid(pid, pid);
  return pid;
}

// Kills the job's group and waits for the job: its peak memory in KiB.
long KillGroup(pid_t pid) {
  kill(-pid, SIGKILL);
  rusage usage{};
  while (wait4(pid, nullptr, 0, &usage) < 0 && errno == EINTR) {
  }
  return usage.ru_maxrss;
}

}  // namespace

void RunJobs(const JobsPlan& plan) {
  const BlockedSignals signals;
  std::map<pid_t, Running> running;
  const std::size_t places = std::max<std::size_t>(plan.parallel, 1);
  std::size_t next = 0;
  const auto fill = [&] {
    for (; next < plan.count && running.size() < places; ++next) {
      running[Start(plan, next, signals)] = Running{next, Clock::now()};
    }
  };
  // The next job takes the ended one's place before the calling process
  // hears of the end, so that no place stands empty while it does.
  const auto end = [&](std::map<pid_t, Running>::iterator job, const JobEnd& how) {
    const std::size_t index = job->second.index;
    const auto after = running.erase(job);
    fill();
    plan.ended(index, how);
    return after;
  };
  auto lastTick = Clock::now();
  fill();
  while (!running.empty()) {
    // Reap whatever ended.
    int status = 0;
    rusage usage{};
    for (pid_t pid; (pid = wait4(-1, &status, WNOHANG, &usage)) > 0;) {
      const auto found = running.find(pid);
      if (found == running.end()) continue;
      const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      // What the job started may outlive it in its group.
      kill(-pid, SIGKILL);
      end(found, JobEnd{finished ? JobEnd::Kind::Finished : JobEnd::Kind::Failed, usage.ru_maxrss});
    }
    // Cut those past their limit.
    for (auto it = running.begin(); it != running.end();) {
      if (SecondsSince(it->second.started) < plan.limitSeconds) {
        ++it;
        continue;
      }
      it = end(it, JobEnd{JobEnd::Kind::CutAtLimit, KillGroup(it->first)});
    }
    if (SecondsSince(lastTick) >= 1) {
      lastTick = Clock::now();
      if (plan.tick) plan.tick();
    }
    if (running.empty()) continue;
    // Sleep until a child ends, a signal comes, or the next limit or tick.
    double wait = 1;
    for (const auto& [pid, job] : running) {
      wait = std::min(wait, plan.limitSeconds - SecondsSince(job.started));
    }
    wait = std::max(wait, 0.001);
    const timespec timeout{static_cast<time_t>(wait),
                           static_cast<long>((wait - static_cast<time_t>(wait)) * 1e9)};
    const int signal = sigtimedwait(&signals.set(), nullptr, &timeout);
    if (signal == SIGINT || signal == SIGTERM) {
      for (const auto& [pid, job] : running) KillGroup(pid);
      throw std::runtime_error(
          "interrupted: " + std::to_string(plan.count - next + running.size()) +
          " combinations were not finished");
    }
  }
}

}  // namespace lyn::lynsim
