// The plain functions GetProcAddress of the emulated kernel32 hands out for
// exports: a fixed set, each bound while in use to one export of one loaded
// library, and running the machine's model of it when called.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/api/kernel32_library.h"
#include "platform/sim/kernel32_library_sim.h"

namespace lyn::sim {

struct StandIn {
  const SimKernel32Library* library = nullptr;
  std::shared_ptr<const SimKernel32Library::Module> module;
  std::string entryPoint;
};

// The function bound to that export (the same one when asked again), or
// null when every stand-in is in use.
win::SelfRegistrationEntry BindStandIn(const StandIn& standIn);
// What a function address is bound to, when it is a stand-in.
std::optional<StandIn> FindStandIn(win::SelfRegistrationEntry function);
// Unbinds the stand-ins of a module, or of every module of a library when
// `module` is null.
void ReleaseStandIns(const SimKernel32Library* library, const SimKernel32Library::Module* module);

}  // namespace lyn::sim
