// The headers and section table of a PE image (PE32 or PE32+), read from the
// file's bytes without loading it. Relative virtual addresses are turned into
// file offsets through the section table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/sim/pe/byte_view.h"

namespace lyn::sim::pe {

struct DataDirectory {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

constexpr unsigned kExportDirectory = 0;
constexpr unsigned kResourceDirectory = 2;

class Image {
 public:
  // Reads the headers. Throws FormatError when the bytes are not a PE image.
  // The bytes must outlive the image.
  explicit Image(std::span<const std::uint8_t> file);

  // True for PE32+ (64-bit) images.
  bool Is64() const { return is64_; }

  // A data directory entry; zeros when the image has no such entry.
  DataDirectory Directory(unsigned index) const;

  // The file bytes that hold [rva, rva + length) once mapped. Throws
  // FormatError when that range is not backed by the file.
  ByteView AtRva(std::uint32_t rva, std::uint32_t length) const;
  // The file bytes from rva to the end of the part of the image that holds it.
  ByteView FromRva(std::uint32_t rva) const;
  // The NUL-terminated string at rva.
  std::string StringAtRva(std::uint32_t rva) const;

 private:
  struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
  };

  ByteView file_;
  bool is64_ = false;
  std::uint32_t sizeOfHeaders_ = 0;
  std::vector<DataDirectory> directories_;
  std::vector<Section> sections_;
};

}  // namespace lyn::sim::pe
