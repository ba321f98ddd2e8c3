#include "platform/sim/machine/process_identity.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>

namespace lyn::sim {
namespace {

std::atomic<int> knownId{0};
std::atomic<unsigned long long> knownStart{0};

}  // namespace

std::optional<unsigned long long> StartTimeOf(int processId) {
  std::ifstream in("/proc/" + std::to_string(processId) + "/stat");
  std::string stat;
  std::getline(in, stat);
  const auto nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string state;
  fields >> state;
  if (state == "Z" || state == "X") return std::nullopt;
  std::string skipped;
  for (int field = 4; field < 22; ++field) fields >> skipped;
  unsigned long long startTime = 0;
  if (!(fields >> startTime)) return std::nullopt;
  return startTime;
}

ProcessIdentity ThisProcessIdentity() {
  static const int watchingForks =
      ::pthread_atfork(nullptr, nullptr, [] { knownId.store(0, std::memory_order_relaxed); });
  static_cast<void>(watchingForks);
  int id = knownId.load(std::memory_order_relaxed);
  if (id == 0) {
    id = static_cast<int>(::getpid());
    knownStart.store(StartTimeOf(id).value_or(0), std::memory_order_relaxed);
    knownId.store(id, std::memory_order_relaxed);
  }
  return {id, knownStart.load(std::memory_order_relaxed)};
}

bool IsRunning(const ProcessIdentity& process) {
  return StartTimeOf(process.id) == process.start;
}

}  // namespace lyn::sim
