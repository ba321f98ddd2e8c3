// The errors the cabinet object raises: a number, a source and a description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lyn {

class CabFileError : public std::runtime_error {
 public:
  CabFileError(std::int32_t number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}

  std::int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
};

// 0x800407A4: an operation on an object whose CabName is empty.
inline constexpr std::int32_t kCabNameMissing = static_cast<std::int32_t>(0x800407A4);

// The description of the missing-name error; "Unknown error." for any other.
std::string CabErrorMessage(std::int32_t number);

// The description of a system error code the cabinet service left behind.
std::string ErrorText(std::uint32_t code);

}  // namespace lyn
