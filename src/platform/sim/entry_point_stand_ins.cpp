#include "platform/sim/entry_point_stand_ins.h"

#include <array>
#include <mutex>
#include <utility>

namespace lyn::sim {
namespace {

constexpr std::size_t kStandIns = 16;

std::mutex& Lock() {
  static std::mutex mutex;
  return mutex;
}

std::array<std::optional<StandIn>, kStandIns>& Slots() {
  static std::array<std::optional<StandIn>, kStandIns> slots;
  return slots;
}

template <std::size_t Index>
win::HRESULT LYN_CALLBACK RunStandIn() {
  std::optional<StandIn> bound;
  {
    const std::lock_guard lock(Lock());
    bound = Slots()[Index];
  }
  if (!bound) return win::E_FAIL;
  return bound->library->RunEntryPoint(*bound->module, bound->entryPoint, nullptr)
      .value_or(win::E_FAIL);
}

template <std::size_t... Index>
constexpr std::array<win::SelfRegistrationEntry, kStandIns> MakeFunctions(
    std::index_sequence<Index...>) {
  return {&RunStandIn<Index>...};
}

constexpr std::array<win::SelfRegistrationEntry, kStandIns> kFunctions =
    MakeFunctions(std::make_index_sequence<kStandIns>());

}  // namespace

win::SelfRegistrationEntry BindStandIn(const StandIn& standIn) {
  const std::lock_guard lock(Lock());
  auto& slots = Slots();
  for (std::size_t i = 0; i < kStandIns; ++i) {
    if (slots[i] && slots[i]->module == standIn.module &&
        slots[i]->entryPoint == standIn.entryPoint) {
      return kFunctions[i];
    }
  }
  for (std::size_t i = 0; i < kStandIns; ++i) {
    if (!slots[i]) {
      slots[i] = standIn;
      return kFunctions[i];
    }
  }
  return nullptr;
}

std::optional<StandIn> FindStandIn(win::SelfRegistrationEntry function) {
  const std::lock_guard lock(Lock());
  for (std::size_t i = 0; i < kStandIns; ++i) {
    if (kFunctions[i] == function) return Slots()[i];
  }
  return std::nullopt;
}

void ReleaseStandIns(const SimKernel32Library* library, const SimKernel32Library::Module* module) {
  const std::lock_guard lock(Lock());
  for (auto& slot : Slots()) {
    if (slot && slot->library == library && (module == nullptr || slot->module.get() == module)) {
      slot.reset();
    }
  }
}

}  // namespace lyn::sim
