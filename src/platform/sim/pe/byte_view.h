// Bounds-checked little-endian reads over bytes that come from a file a user
// controls: every read outside the bytes is a FormatError, never a crash.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace lyn::sim::pe {

// The bytes do not hold the structure being read.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t size() const { return bytes_.size(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  std::uint8_t U8(std::uint64_t offset) const {
    Require(offset, 1);
    return bytes_[offset];
  }
  std::uint16_t U16(std::uint64_t offset) const {
    Require(offset, 2);
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::uint32_t U32(std::uint64_t offset) const {
    Require(offset, 4);
    return static_cast<std::uint32_t>(bytes_[offset]) |
           static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
  }

  // The bytes [offset, offset + length).
  ByteView Sub(std::uint64_t offset, std::uint64_t length) const {
    Require(offset, length);
    return ByteView(bytes_.subspan(offset, length));
  }
  // The bytes from offset to the end.
  ByteView From(std::uint64_t offset) const {
    return Sub(offset, size() - std::min(offset, size()));
  }

 private:
  void Require(std::uint64_t offset, std::uint64_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
      throw FormatError("read outside the image");
    }
  }

  std::span<const std::uint8_t> bytes_;
};

}  // namespace lyn::sim::pe
