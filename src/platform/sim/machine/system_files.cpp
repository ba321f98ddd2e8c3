// Which system's files a machine holds.
#include "platform/sim/machine/system_files.h"

namespace lyn::sim {

std::string_view SystemOf(const Profile& profile) {
  if (profile.dwPlatformId != win::VER_PLATFORM_WIN32_NT) return {};
  if (profile.wProductType != win::VER_NT_WORKSTATION) return {};
  const auto version = std::pair{profile.dwMajorVersion, profile.dwMinorVersion};
  if (version == std::pair<win::DWORD, win::DWORD>{5, 1} ||
      version == std::pair<win::DWORD, win::DWORD>{5, 2}) {
    return "winxp";
  }
  if (version == std::pair<win::DWORD, win::DWORD>{6, 0}) return "vista";
  if (version == std::pair<win::DWORD, win::DWORD>{6, 1}) return "win7";
  return {};
}

}  // namespace lyn::sim
