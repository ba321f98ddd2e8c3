// version.dll on the emulated machine: version resources read from the PE
// files in the machine's folder.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/api/version.h"
#include "platform/sim/machine/machine.h"

namespace lyn::sim {

class SimVersion : public win::Version {
 public:
  explicit SimVersion(const Machine& machine) : machine_(machine) {}

  // The size of the buffer the version information needs: twice the
  // resource plus 4 bytes, the second half being room for the ANSI texts of
  // VerQueryValueA. 0 for a missing file, a file that is not a PE image, a
  // damaged one, or one without version resource.
  win::DWORD GetFileVersionInfoSizeA(win::LPCSTR path, win::DWORD* handle) override;
  // Copies the version resource, cut to `size` bytes, and marks the room
  // for ANSI texts behind it when the buffer has it.
  win::BOOL GetFileVersionInfoA(win::LPCSTR path, win::DWORD handle, win::DWORD size,
                                win::LPVOID data) override;
  // "\" gives the fixed version information; a deeper path such as
  // "\VarFileInfo\Translation" gives that value, texts converted to the
  // machine's ANSI code page in the buffer's spare half.
  win::BOOL VerQueryValueA(const void* block, win::LPCSTR subBlock, win::LPVOID* value,
                           win::UINT* length) override;

 private:
  // The file's bytes; nothing when the path does not name a readable file
  // of the machine.
  std::optional<std::vector<std::uint8_t>> ReadMachineFile(win::LPCSTR path) const;

  const Machine& machine_;
};

}  // namespace lyn::sim
