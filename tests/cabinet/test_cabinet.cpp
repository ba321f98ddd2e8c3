#include "cabinet/test_cabinet.h"

#include <algorithm>

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
  std::size_t folders = 0;
  for (const CabEntry& entry : entries) folders = std::max<std::size_t>(folders, entry.folder + 1u);
  std::vector<std::string> data(folders);
  std::string files;
  for (const CabEntry& entry : entries) {
    std::string& stream = data[entry.folder];
    Put32(files, static_cast<std::uint32_t>(entry.data.size()));
    Put32(files, static_cast<std::uint32_t>(stream.size()));
    Put16(files, entry.folder);
    Put16(files, entry.dosDate);
    Put16(files, entry.dosTime);
    Put16(files, entry.attributes);
    files += entry.name;
    files += '\0';
    stream += entry.data;
  }
  const std::size_t filesOffset = kHeaderSize + folders * kFolderSize;

  std::string folderTable;
  std::string blocks;
  for (const std::string& stream : data) {
    std::size_t blockCount = 0;
    const std::size_t firstBlock = filesOffset + files.size() + blocks.size();
    for (std::size_t at = 0; at < stream.size(); at += kBlockSize, ++blockCount) {
      const std::string chunk = stream.substr(at, kBlockSize);
      Put32(blocks, 0);  // no checksum
      Put16(blocks, static_cast<std::uint32_t>(chunk.size()));
      Put16(blocks, static_cast<std::uint32_t>(chunk.size()));
      blocks += chunk;
    }
    Put32(folderTable, static_cast<std::uint32_t>(firstBlock));
    Put16(folderTable, static_cast<std::uint32_t>(blockCount));
    Put16(folderTable, 0);  // stored
  }

  std::string cabinet = "MSCF";
  Put32(cabinet, 0);
  Put32(cabinet, static_cast<std::uint32_t>(filesOffset + files.size() + blocks.size()));
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
  return cabinet + folderTable + files + blocks;
}

}  // namespace lyn::testing
