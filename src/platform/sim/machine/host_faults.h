// Faults injected where the machine changes its host files: every creation,
// write, sync, truncation, rename, removal and folder creation that
// DriveFolders and the state store make is one numbered call, and a plan can
// make the Nth of them fail with a full disk or a device error, or end the
// process right there, as a power cut would end the program but the host's
// files stay as written. Tests walk N over a whole run to see what every
// failure leaves behind. Unarmed, a call costs one relaxed load.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lyn::sim {

enum class HostCall { Create, Write, Sync, Truncate, Rename, Remove, MakeFolder };

enum class FaultKind {
  None,     // only count the calls
  NoSpace,  // the Nth call and every later one that needs room fail with ENOSPC
  IoError,  // the Nth call alone fails with EIO
  Kill,     // the process is killed (SIGKILL) before the Nth call
};

struct FaultPlan {
  FaultPlan() = default;
  FaultPlan(FaultKind kind, std::uint64_t at, std::optional<HostCall> only = std::nullopt)
      : kind(kind), at(at), only(only) {}

  FaultKind kind = FaultKind::None;
  std::uint64_t at = 0;  // the call the fault hits, counting from 1
  // When set, only the drive folders' calls of this kind count: a test's
  // way to hit one file write, whatever the state store does meanwhile.
  std::optional<HostCall> only;
  // For a counting plan: the file where the number of calls so far is kept
  // (eight bytes, host order), readable after the process ended however it
  // ended. Empty: kept in memory only.
  std::string countFile;
};

// Reads a plan as the LYNSIM_FAULT variable gives it: "enospc@N", "eio@N",
// "kill@N" (N from 1) or "count:FILE". nullopt when it is none of those.
std::optional<FaultPlan> ParseFaultPlan(std::string_view text);

// Arms the plan for the rest of the process, counting from the next call.
// The state store connections opened afterwards count their calls too.
// Throws MachineError when the count file cannot be made.
void ArmHostFaults(const FaultPlan& plan);
// Stops counting; calls go ahead again.
void DisarmHostFaults();
// The calls counted since the plan was armed.
std::uint64_t HostCallsCounted();

// A plan armed for as long as the object lives.
class ArmedHostFaults {
 public:
  explicit ArmedHostFaults(const FaultPlan& plan) { ArmHostFaults(plan); }
  ~ArmedHostFaults() { DisarmHostFaults(); }
  ArmedHostFaults(const ArmedHostFaults&) = delete;
  ArmedHostFaults& operator=(const ArmedHostFaults&) = delete;
};

namespace detail {
extern std::atomic<bool> hostFaultsArmed;
// Counts the call: the number it has when the plan's fault hits it, else 0.
std::uint64_t CountHostCall(HostCall call, bool store);
// Carries out the fault on the call numbered `number`: says so on the error
// output where it starts, and ends the process or returns -errno.
int Strike(HostCall call, std::uint64_t number, std::string_view what);
std::string NameOfDescriptor(int fd);
}  // namespace detail

// Called before each host call that changes the machine's files, `what`
// naming the file: 0 when the call may go ahead, else the negated host error
// it must fail with. Does not return when the plan kills the process here.
inline int HostFault(HostCall call, std::string_view what) {
  if (!detail::hostFaultsArmed.load(std::memory_order_relaxed)) return 0;
  const std::uint64_t number = detail::CountHostCall(call, false);
  return number == 0 ? 0 : detail::Strike(call, number, what);
}
// The same for a call on an open file.
inline int HostFault(HostCall call, int fd) {
  if (!detail::hostFaultsArmed.load(std::memory_order_relaxed)) return 0;
  const std::uint64_t number = detail::CountHostCall(call, false);
  return number == 0 ? 0 : detail::Strike(call, number, detail::NameOfDescriptor(fd));
}
// The same for a call of the state store on its files.
inline int StoreFault(HostCall call, std::string_view what) {
  if (!detail::hostFaultsArmed.load(std::memory_order_relaxed)) return 0;
  const std::uint64_t number = detail::CountHostCall(call, true);
  return number == 0 ? 0 : detail::Strike(call, number, what);
}

}  // namespace lyn::sim
