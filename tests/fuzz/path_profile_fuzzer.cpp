// libFuzzer target for the machine's text readers: any bytes, read as a
// Windows path (absolute, and relative to a current folder) and as a profile,
// must give an answer or the reader's own refusal, never a crash. A parsed
// path holds only names the host may be handed: no separator, no "." or "..",
// nothing empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/sim/machine/machine_error.h"
#include "platform/sim/machine/profile.h"
#include "platform/sim/machine/windows_path.h"

namespace {

using lyn::sim::MachineError;
using lyn::sim::WindowsPath;

void CheckNames(const WindowsPath& path) {
  if (path.drive < 'A' || path.drive > 'Z') std::abort();
  for (const std::string& name : path.components) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const WindowsPath current{'C', {"Distribution", "Maps"}};
  for (const WindowsPath* base : {static_cast<const WindowsPath*>(nullptr), &current}) {
    try {
      CheckNames(lyn::sim::ParseWindowsPath(text, base));
    } catch (const MachineError&) {
    }
  }
  try {
    lyn::sim::ProfileFromText(text);
  } catch (const std::invalid_argument&) {
  }
  return 0;
}
