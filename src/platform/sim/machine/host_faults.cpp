#include "platform/sim/machine/host_faults.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/sim/machine/faulting_vfs.h"
#include "platform/sim/machine/machine_error.h"

namespace lyn::sim {

namespace detail {
std::atomic<bool> hostFaultsArmed{false};
}  // namespace detail

namespace {

static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

FaultPlan plan;
std::atomic<std::uint64_t> countedHere{0};
// The count of the armed plan: in this process's memory, or in the count
// file shared with whoever reads it after the process ended.
std::atomic<std::uint64_t>* counter = &countedHere;
// Set once a NoSpace plan reached its call: the disk stays full.
std::atomic<bool> diskFull{false};

const char* CallName(HostCall call) {
  switch (call) {
    case HostCall::Create:
      return "create";
    case HostCall::Write:
      return "write";
    case HostCall::Sync:
      return "sync";
    case HostCall::Truncate:
      return "truncate";
    case HostCall::Rename:
      return "rename";
    case HostCall::Remove:
      return "remove";
    case HostCall::MakeFolder:
      return "mkdir";
  }
  return "call";
}

// Whether the call can need room on the disk: removing and shrinking never do.
bool NeedsRoom(HostCall call) {
  return call != HostCall::Remove && call != HostCall::Truncate;
}

// One line on the error output, written at once: the process may not live to
// flush a stream.
void Tell(const char* what, std::uint64_t at, HostCall call, std::string_view file) {
  const std::string line = "lynsim: host fault: " + std::string(what) + " at call " +
                           std::to_string(at) + " (" + CallName(call) + " " + std::string(file) +
                           ")\n";
  const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
  static_cast<void>(ignored);
}

std::atomic<std::uint64_t>* MapCountFile(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::ftruncate(fd, sizeof(std::uint64_t)) != 0) {
    const std::string reason = std::strerror(errno);
    if (fd >= 0) ::close(fd);
    throw MachineError("cannot keep the count of host calls in '" + file + "': " + reason);
  }
  void* memory = ::mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  if (memory == MAP_FAILED) {
    throw MachineError("cannot map the count of host calls in '" + file +
                       "': " + std::strerror(errno));
  }
  return new (memory) std::atomic<std::uint64_t>(0);
}

}  // namespace

std::optional<FaultPlan> ParseFaultPlan(std::string_view text) {
  FaultPlan parsed;
  if (text.starts_with("count:") && text.size() > 6) {
    parsed.countFile = std::string(text.substr(6));
    return parsed;
  }
  const std::size_t at = text.find('@');
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view kind = text.substr(0, at);
  const std::string_view number = text.substr(at + 1);
  if (kind == "enospc") {
    parsed.kind = FaultKind::NoSpace;
  } else if (kind == "eio") {
    parsed.kind = FaultKind::IoError;
  } else if (kind == "kill") {
    parsed.kind = FaultKind::Kill;
  } else {
    return std::nullopt;
  }
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), parsed.at);
  if (error != std::errc() || end != number.data() + number.size() || parsed.at == 0) {
    return std::nullopt;
  }
  return parsed;
}

void ArmHostFaults(const FaultPlan& armed) {
  DisarmHostFaults();
  plan = armed;
  counter = armed.countFile.empty() ? &countedHere : MapCountFile(armed.countFile);
  counter->store(0);
  diskFull.store(false);
  InstallFaultingVfs();
  detail::hostFaultsArmed.store(true);
}

void DisarmHostFaults() {
  detail::hostFaultsArmed.store(false);
}

std::uint64_t HostCallsCounted() {
  return counter->load();
}

std::uint64_t detail::CountHostCall(HostCall call, bool store) {
  if (plan.only && (store || *plan.only != call)) return 0;
  const std::uint64_t number = counter->fetch_add(1) + 1;
  if (plan.kind == FaultKind::NoSpace) {
    if (number == plan.at) diskFull.store(true);
    return number == plan.at || (diskFull.load() && NeedsRoom(call)) ? number : 0;
  }
  return plan.kind != FaultKind::None && number == plan.at ? number : 0;
}

int detail::Strike(HostCall call, std::uint64_t number, std::string_view what) {
  switch (plan.kind) {
    case FaultKind::NoSpace:
      if (number == plan.at) Tell("the disk is full", number, call, what);
      return NeedsRoom(call) ? -ENOSPC : 0;
    case FaultKind::IoError:
      Tell("input/output error", number, call, what);
      return -EIO;
    case FaultKind::Kill:
      Tell("killed", number, call, what);
      ::kill(::getpid(), SIGKILL);
      std::abort();
    case FaultKind::None:
      break;
  }
  return 0;
}

std::string detail::NameOfDescriptor(int fd) {
  char name[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t size = ::readlink(link.c_str(), name, sizeof name);
  return size > 0 ? std::string(name, static_cast<std::size_t>(size)) : link;
}

}  // namespace lyn::sim
