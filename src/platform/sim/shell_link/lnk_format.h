// Shell link files (.lnk) in the published binary format: the 76-byte
// header, a LinkInfo with the target's volume and local base path, and the
// string data (description, working folder, arguments, icon location) in
// UTF-16.
#pragma once

#include <cstdint>
#include <string>

#include "platform/api/win_types.h"

namespace lyn::sim {

// What a shortcut holds. Texts are UTF-8, except the local base path, which
// the format keeps in the system's ANSI code page.
struct ShellLinkData {
  std::string targetAnsi;  // absolute path of the target, ANSI
  std::string description;
  std::string workingDirectory;
  std::string arguments;
  std::string iconLocation;
  std::int32_t iconIndex = 0;
  std::int32_t showCommand = 1;
  // The target as it was when the link was saved.
  win::DWORD targetAttributes = 0;
  win::DWORD targetSize = 0;
  win::FILETIME creationTime{};
  win::FILETIME accessTime{};
  win::FILETIME writeTime{};
  // Its volume.
  win::DWORD driveType = 3;  // DRIVE_FIXED
  win::DWORD driveSerialNumber = 0;
  std::string volumeLabelAnsi;
};

constexpr win::DWORD DRIVE_FIXED = 3;
constexpr win::DWORD DRIVE_CDROM = 5;

// The file's bytes.
std::string EncodeShellLink(const ShellLinkData& link);

}  // namespace lyn::sim
