#include "platform/sim/version_sim.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/sim/files/file_layer.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/code_page.h"
#include "platform/sim/pe/pe_file.h"
#include "platform/sim/pe/version_block.h"

namespace lyn::sim {
namespace {

// Marks a buffer filled by GetFileVersionInfoA as having room for ANSI texts
// behind the resource.
constexpr char kAnsiRoomSignature[4] = {'F', 'E', '2', 'X'};
constexpr std::size_t kSignatureSize = sizeof kAnsiRoomSignature;

std::uint16_t BlockLength(const std::uint8_t* block) {
  return static_cast<std::uint16_t>(block[0] | block[1] << 8);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> SimVersion::ReadMachineFile(win::LPCSTR path) const {
  if (path == nullptr || *path == '\0') return std::nullopt;
  const FileLayer files(machine_);
  ResolvedPath resolved;
  std::vector<std::uint8_t> bytes;
  if (files.Resolve(machine_.AnsiToUtf8(path), resolved) != win::ERROR_SUCCESS ||
      files.ReadWhole(resolved, FILE_READ_DATA, bytes) != win::ERROR_SUCCESS) {
    return std::nullopt;
  }
  return bytes;
}

win::DWORD SimVersion::GetFileVersionInfoSizeA(win::LPCSTR path, win::DWORD* handle) {
  return Guarded(win::DWORD{0}, [&]() -> win::DWORD {
    if (handle != nullptr) *handle = 0;
    const auto file = ReadMachineFile(path);
    if (!file) return Fail(win::ERROR_FILE_NOT_FOUND, win::DWORD{0});
    const auto resource = pe::ReadVersionResource(*file);
    if (!resource) return Fail(win::ERROR_RESOURCE_TYPE_NOT_FOUND, win::DWORD{0});
    return static_cast<win::DWORD>(resource->size() * 2 + kSignatureSize);
  });
}

win::BOOL SimVersion::GetFileVersionInfoA(win::LPCSTR path, win::DWORD, win::DWORD size,
                                          win::LPVOID data) {
  return Guarded(win::BOOL{win::FALSE}, [&]() -> win::BOOL {
    if (data == nullptr) return win::FALSE;
    const auto file = ReadMachineFile(path);
    if (!file) return Fail(win::ERROR_FILE_NOT_FOUND, win::FALSE);
    const auto resource = pe::ReadVersionResource(*file);
    if (!resource) return Fail(win::ERROR_RESOURCE_TYPE_NOT_FOUND, win::FALSE);

    auto* out = static_cast<std::uint8_t*>(data);
    const std::size_t copied = std::min<std::size_t>(size, resource->size());
    std::memcpy(out, resource->bytes().data(), copied);
    const std::uint16_t length = BlockLength(resource->bytes().data());
    if (size >= std::size_t{length} + kSignatureSize) {
      std::memcpy(out + length, kAnsiRoomSignature, kSignatureSize);
    }
    return win::TRUE;
  });
}

win::BOOL SimVersion::VerQueryValueA(const void* block, win::LPCSTR subBlock, win::LPVOID* value,
                                     win::UINT* length) {
  if (block == nullptr || subBlock == nullptr || value == nullptr) return win::FALSE;
  // The block is trusted to be as long as its root node says, as a buffer
  // filled by GetFileVersionInfoA is.
  const auto* bytes = static_cast<const std::uint8_t*>(block);
  const std::uint16_t blockLength = BlockLength(bytes);
  const pe::ByteView view(std::span(bytes, blockLength));

  std::optional<pe::VersionValue> found;
  try {
    found = pe::FindVersionValue(view, subBlock);
  } catch (const pe::FormatError&) {
    return win::FALSE;
  }
  if (!found) return win::FALSE;

  if (!found->text) {
    *value = const_cast<std::uint8_t*>(bytes + found->offset);
    if (length != nullptr) *length = found->length;
    return win::TRUE;
  }

  // A text is handed out in ANSI: converted into the spare half behind the
  // resource, at the text's own offset, when GetFileVersionInfoA marked that
  // room. The platform writes there although the block is passed as const.
  const std::size_t room = blockLength - found->offset;
  if (room == 0 || std::memcmp(bytes + blockLength, kAnsiRoomSignature, kSignatureSize) != 0) {
    return win::FALSE;
  }
  std::u16string wide;
  for (std::uint32_t i = 0; i < found->length; ++i) {
    const std::uint64_t at = found->offset + std::uint64_t{i} * 2;
    const auto c = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
    if (c == u'\0') break;
    wide.push_back(c);
  }
  const auto ansi = EncodeText(machine_.profile().AnsiCodePage, wide, "?");
  if (!ansi) return win::FALSE;
  const std::size_t count = std::min(ansi->bytes.size(), room - 1);
  auto* text = const_cast<std::uint8_t*>(bytes) + blockLength + kSignatureSize + found->offset;
  std::memcpy(text, ansi->bytes.data(), count);
  text[count] = '\0';
  *value = text;
  if (length != nullptr) *length = static_cast<win::UINT>(count + 1);
  return win::TRUE;
}

}  // namespace lyn::sim
