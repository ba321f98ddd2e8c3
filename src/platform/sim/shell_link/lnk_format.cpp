#include "platform/sim/shell_link/lnk_format.h"

#include "platform/sim/machine/code_page.h"

namespace lyn::sim {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// LinkFlags.
constexpr std::uint32_t HasLinkInfo = 0x02;
constexpr std::uint32_t HasName = 0x04;
constexpr std::uint32_t HasWorkingDir = 0x10;
constexpr std::uint32_t HasArguments = 0x20;
constexpr std::uint32_t HasIconLocation = 0x40;
constexpr std::uint32_t IsUnicode = 0x80;

// LinkInfoFlags.
constexpr std::uint32_t VolumeIDAndLocalBasePath = 0x01;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutFileTime(std::string& out, const win::FILETIME& time) {
  Put32(out, time.dwLowDateTime);
  Put32(out, time.dwHighDateTime);
}

// A StringData entry: the count of UTF-16 units, then the units.
void PutString(std::string& out, const std::string& utf8) {
  const std::u16string wide = DecodeText(kUtf8CodePage, utf8, false).value_or(u"");
  Put16(out, static_cast<std::uint32_t>(wide.size()));
  for (const char16_t unit : wide) Put16(out, unit);
}

std::string LinkInfo(const ShellLinkData& link) {
  std::string volumeId;
  Put32(volumeId,
        kVolumeIdHeaderSize + static_cast<std::uint32_t>(link.volumeLabelAnsi.size()) + 1);
  Put32(volumeId, link.driveType);
  Put32(volumeId, link.driveSerialNumber);
  Put32(volumeId, kVolumeIdHeaderSize);
  volumeId += link.volumeLabelAnsi + '\0';

  const auto volumeIdOffset = kLinkInfoHeaderSize;
  const auto localBasePathOffset = volumeIdOffset + static_cast<std::uint32_t>(volumeId.size());
  const auto suffixOffset =
      localBasePathOffset + static_cast<std::uint32_t>(link.targetAnsi.size()) + 1;
  const auto size = suffixOffset + 1;

  std::string info;
  Put32(info, size);
  Put32(info, kLinkInfoHeaderSize);
  Put32(info, VolumeIDAndLocalBasePath);
  Put32(info, volumeIdOffset);
  Put32(info, localBasePathOffset);
  Put32(info, 0);  // no network location
  Put32(info, suffixOffset);
  info += volumeId;
  info += link.targetAnsi + '\0';
  info += '\0';  // an empty common path suffix
  return info;
}

}  // namespace

std::string EncodeShellLink(const ShellLinkData& link) {
  std::uint32_t flags = HasLinkInfo | IsUnicode;
  if (!link.description.empty()) flags |= HasName;
  if (!link.workingDirectory.empty()) flags |= HasWorkingDir;
  if (!link.arguments.empty()) flags |= HasArguments;
  if (!link.iconLocation.empty()) flags |= HasIconLocation;

  std::string out;
  Put32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kLinkClsid), sizeof kLinkClsid);
  Put32(out, flags);
  Put32(out, link.targetAttributes);
  PutFileTime(out, link.creationTime);
  PutFileTime(out, link.accessTime);
  PutFileTime(out, link.writeTime);
  Put32(out, link.targetSize);
  Put32(out, static_cast<std::uint32_t>(link.iconIndex));
  Put32(out, static_cast<std::uint32_t>(link.showCommand));
  Put16(out, 0);  // no hot key
  Put16(out, 0);
  Put32(out, 0);
  Put32(out, 0);

  out += LinkInfo(link);
  if (flags & HasName) PutString(out, link.description);
  if (flags & HasWorkingDir) PutString(out, link.workingDirectory);
  if (flags & HasArguments) PutString(out, link.arguments);
  if (flags & HasIconLocation) PutString(out, link.iconLocation);
  Put32(out, 0);  // the terminal block of the extra data
  return out;
}

}  // namespace lyn::sim
