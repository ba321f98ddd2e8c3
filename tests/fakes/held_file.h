// A file of an emulated machine held open, as a running program holds it,
// for as long as this object lives: every process of the machine meets its
// share mode.
#pragma once

#include <string_view>

#include "platform/sim/files/file_layer.h"
#include "platform/sim/machine/machine.h"

namespace lyn::fakes {

class HeldFile {
 public:
  // By default as a program holds its own image: read and executed, shared
  // for reading only.
  HeldFile(const sim::Machine& machine, std::string_view windowsPath,
           win::DWORD access = win::GENERIC_READ | win::GENERIC_EXECUTE,
           win::DWORD share = sim::FILE_SHARE_READ);

 private:
  sim::Machine machine_;  // keeps the state store the record is in
  sim::OpenedFile file_;
};

}  // namespace lyn::fakes
