#include "fakes/held_file.h"

#include <stdexcept>
#include <string>

namespace lyn::fakes {

HeldFile::HeldFile(const sim::Machine& machine, std::string_view windowsPath, win::DWORD access,
                   win::DWORD share)
    : machine_(machine) {
  const sim::FileLayer files(machine_);
  const sim::ResolvedPath path = machine_.Resolve(windowsPath);
  if (files.Open(path, access, share, win::OPEN_EXISTING, 0, file_) != win::ERROR_SUCCESS) {
    throw std::runtime_error("cannot hold " + std::string(windowsPath) + " open");
  }
}

}  // namespace lyn::fakes
