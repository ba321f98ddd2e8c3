#include "sysinfo/file_version.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

std::string HighWord(win::DWORD value) {
  return std::to_string(value >> 16);
}
std::string LowWord(win::DWORD value) {
  return std::to_string(value & 0xFFFF);
}

std::string FourPartVersion(win::DWORD mostSignificant, win::DWORD leastSignificant) {
  return HighWord(mostSignificant) + "." + LowWord(mostSignificant) + "." +
         HighWord(leastSignificant) + "." + LowWord(leastSignificant);
}

std::string FlagWords(win::DWORD flags) {
  static constexpr std::array<std::pair<win::DWORD, const char*>, 6> kWords{{
      {0x01, " Debug"},
      {0x02, " PreRel"},
      {0x04, " Patched"},
      {0x08, " Private"},
      {0x10, " Info"},
      {0x20, " Special"},
  }};
  std::string words;
  for (const auto& [bit, word] : kWords) {
    if (flags & bit) words += word;
  }
  // Each word brings its own leading blank; the first one is dropped.
  if (!words.empty()) words.erase(0, 1);
  return words;
}

std::string OperatingSystemName(win::DWORD os) {
  switch (os) {
    case 0x00010001:
      return "DOS-Win16";
    case 0x00010004:
      return "DOS-Win32";
    case 0x00020002:
      return "OS/2-16 PM-16";
    case 0x00030003:
      return "OS/2-16 PM-32";
    case 0x00040004:
      return "NT-Win32";
    default:
      return "Unknown";
  }
}

constexpr win::DWORD kDriverType = 3;

std::string TypeName(win::DWORD type) {
  switch (type) {
    case 1:
      return "App";
    case 2:
      return "DLL";
    case kDriverType:
      return "Driver";
    case 4:
      return "Font";
    case 5:
      return "VxD";
    case 7:
      return "Lib";
    default:
      return "Unknown";
  }
}

std::string DriverSubtypeName(win::DWORD subtype) {
  static constexpr std::array<const char*, 11> kNames{
      "Unknown",     "Printer drv", "Keyboard drv", "Language drv", "Display drv", "Mouse drv",
      "Network drv", "System drv",  "Installable",  "Sound drv",    "Comm drv"};
  return subtype < kNames.size() ? kNames[subtype] : "";
}

}  // namespace

FileVersionInfo DescribeFixedFileInfo(const win::VS_FIXEDFILEINFO& fixed) {
  FileVersionInfo info;
  info.StrucVersion = HighWord(fixed.dwStrucVersion) + "." + LowWord(fixed.dwStrucVersion);
  info.FileVersion = FourPartVersion(fixed.dwFileVersionMS, fixed.dwFileVersionLS);
  info.ProductVersion = FourPartVersion(fixed.dwProductVersionMS, fixed.dwProductVersionLS);
  info.FileFlags = FlagWords(fixed.dwFileFlags);
  info.FileOS = OperatingSystemName(fixed.dwFileOS);
  info.FileType = TypeName(fixed.dwFileType);
  if (fixed.dwFileType == kDriverType) info.FileSubtype = DriverSubtypeName(fixed.dwFileSubtype);
  return info;
}

FileVersionInfo GetFileVersionInformation(Platform& platform, std::string_view path) {
  const std::string file = ToAnsi(platform.kernel32, path);
  win::DWORD handle = 0;
  const win::DWORD size = platform.version.GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return {};

  std::vector<win::BYTE> buffer(size);
  if (!platform.version.GetFileVersionInfoA(file.c_str(), 0, size, buffer.data())) return {};

  win::LPVOID value = nullptr;
  win::UINT length = 0;
  if (!platform.version.VerQueryValueA(buffer.data(), "\\", &value, &length) || value == nullptr) {
    return {};
  }

  // The fixed record is copied whole; a shorter answer leaves the rest zero.
  win::VS_FIXEDFILEINFO fixed{};
  std::memcpy(&fixed, value, std::min<std::size_t>(length, sizeof fixed));
  return DescribeFixedFileInfo(fixed);
}

}  // namespace lyn
