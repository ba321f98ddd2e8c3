#include "platform/sim/pe/pe_image.h"

#include <algorithm>

namespace lyn::sim::pe {
namespace {

constexpr std::uint16_t kMzSignature = 0x5A4D;      // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kMaxDirectories = 16;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;

}  // namespace

Image::Image(std::span<const std::uint8_t> file) : file_(file) {
  if (file_.U16(0) != kMzSignature) throw FormatError("no MZ header");
  const std::uint64_t peHeader = file_.U32(0x3C);
  if (file_.U32(peHeader) != kPeSignature) throw FormatError("no PE signature");

  const std::uint64_t fileHeader = peHeader + 4;
  const std::uint16_t sectionCount = file_.U16(fileHeader + 2);
  const std::uint16_t optionalHeaderSize = file_.U16(fileHeader + 16);
  const std::uint64_t optionalHeader = fileHeader + kFileHeaderSize;
  const ByteView optional = file_.Sub(optionalHeader, optionalHeaderSize);

  const std::uint16_t magic = optional.U16(0);
  if (magic != kPe32Magic && magic != kPe32PlusMagic) throw FormatError("unknown optional header");
  is64_ = magic == kPe32PlusMagic;
  sizeOfHeaders_ = optional.U32(60);

  // The directory count is capped by the header's own count, by the sixteen
  // entries the format has, and by the room the optional header gives them.
  const std::uint64_t firstDirectory = is64_ ? 112 : 96;
  const std::uint32_t declared = optional.U32(is64_ ? 108 : 92);
  const std::uint64_t room =
      optionalHeaderSize > firstDirectory ? (optionalHeaderSize - firstDirectory) / 8 : 0;
  const std::uint64_t count = std::min<std::uint64_t>({declared, kMaxDirectories, room});
  for (std::uint64_t i = 0; i < count; ++i) {
    directories_.push_back(
        {optional.U32(firstDirectory + i * 8), optional.U32(firstDirectory + i * 8 + 4)});
  }

  const std::uint64_t sectionTable = optionalHeader + optionalHeaderSize;
  for (std::uint64_t i = 0; i < sectionCount; ++i) {
    const ByteView header = file_.Sub(sectionTable + i * kSectionHeaderSize, kSectionHeaderSize);
    sections_.push_back({header.U32(12), header.U32(8), header.U32(16), header.U32(20)});
  }
}

DataDirectory Image::Directory(unsigned index) const {
  return index < directories_.size() ? directories_[index] : DataDirectory{};
}

ByteView Image::FromRva(std::uint32_t rva) const {
  for (const Section& section : sections_) {
    // Only the part of a section that the file backs can be read; a virtual
    // size of 0 means the raw size.
    const std::uint64_t backed =
        section.virtualSize == 0 ? section.rawSize : std::min(section.virtualSize, section.rawSize);
    if (rva >= section.virtualAddress && rva - section.virtualAddress < backed) {
      const std::uint64_t skip = rva - section.virtualAddress;
      return file_.Sub(static_cast<std::uint64_t>(section.rawOffset) + skip, backed - skip);
    }
  }
  // The headers are mapped at the start of the image.
  if (rva < sizeOfHeaders_) {
    return file_.Sub(0, std::min<std::uint64_t>(sizeOfHeaders_, file_.size())).From(rva);
  }
  throw FormatError("address outside every section");
}

ByteView Image::AtRva(std::uint32_t rva, std::uint32_t length) const {
  return FromRva(rva).Sub(0, length);
}

std::string Image::StringAtRva(std::uint32_t rva) const {
  const auto bytes = FromRva(rva).bytes();
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  if (end == bytes.end()) throw FormatError("unterminated string");
  return std::string(bytes.begin(), end);
}

}  // namespace lyn::sim::pe
