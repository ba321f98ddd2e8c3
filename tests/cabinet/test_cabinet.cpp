#include "cabinet/test_cabinet.h"

namespace lyn::testing {
namespace {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kFolderSize = 8;
constexpr std::size_t kFileFixedSize = 16;
constexpr std::size_t kBlockSize = 32768;

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string UncompressedCabinet(const std::vector<CabEntry>& entries) {
  std::string files;
  std::string data;
  for (const CabEntry& entry : entries) {
    Put32(files, static_cast<std::uint32_t>(entry.data.size()));
    Put32(files, static_cast<std::uint32_t>(data.size()));
    Put16(files, 0);  // folder 0
    Put16(files, entry.dosDate);
    Put16(files, entry.dosTime);
    Put16(files, entry.attributes);
    files += entry.name;
    files += '\0';
    data += entry.data;
  }
  const std::size_t folders = entries.empty() ? 0 : 1;
  const std::size_t filesOffset = kHeaderSize + folders * kFolderSize;
  const std::size_t dataOffset = filesOffset + files.size();

  std::string blocks;
  std::size_t blockCount = 0;
  for (std::size_t at = 0; at < data.size(); at += kBlockSize, ++blockCount) {
    const std::string chunk = data.substr(at, kBlockSize);
    Put32(blocks, 0);  // no checksum
    Put16(blocks, static_cast<std::uint32_t>(chunk.size()));
    Put16(blocks, static_cast<std::uint32_t>(chunk.size()));
    blocks += chunk;
  }

  std::string cabinet = "MSCF";
  Put32(cabinet, 0);
  Put32(cabinet, static_cast<std::uint32_t>(dataOffset + blocks.size()));
  Put32(cabinet, 0);
  Put32(cabinet, static_cast<std::uint32_t>(filesOffset));
  Put32(cabinet, 0);
  cabinet += '\x03';  // format 1.3
  cabinet += '\x01';
  Put16(cabinet, static_cast<std::uint32_t>(folders));
  Put16(cabinet, static_cast<std::uint32_t>(entries.size()));
  Put16(cabinet, 0);  // no flags
  Put16(cabinet, 0x1234);
  Put16(cabinet, 0);
  if (folders != 0) {
    Put32(cabinet, static_cast<std::uint32_t>(dataOffset));
    Put16(cabinet, static_cast<std::uint32_t>(blockCount));
    Put16(cabinet, 0);  // stored
  }
  return cabinet + files + blocks;
}

}  // namespace lyn::testing
