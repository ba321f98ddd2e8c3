// Which system's files a machine holds.
#include "platform/sim/machine/system_files.h"

namespace lyn::sim {

std::string_view SystemOf(const Profile& profile) {
  if (profile.dwPlatformId != win::VER_PLATFORM_WIN32_NT) return {};
  if (profile.wProductType != win::VER_NT_WORKSTATION) return {};
  const win::DWORD major = profile.dwMajorVersion;
  const win::DWORD minor = profile.dwMinorVersion;
  if (major == 5 && (minor == 1 || minor == 2)) return "winxp";
  if (major == 6 && minor == 0) return "vista";
  if (major == 6 && minor == 1) return "win7";
  return {};
}

}  // namespace lyn::sim
