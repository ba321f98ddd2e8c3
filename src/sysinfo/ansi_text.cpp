#include "sysinfo/ansi_text.h"

#include <vector>

namespace lyn {
namespace {

// Converts between two code pages through UTF-16, as the platform offers it.
std::string Convert(win::Kernel32& kernel32, std::string_view text, win::UINT from, win::UINT to) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = kernel32.MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::vector<char16_t> wide(static_cast<std::size_t>(wideLength));
  kernel32.MultiByteToWideChar(from, 0, text.data(), length, wide.data(), wideLength);
  const int size =
      kernel32.WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  kernel32.WideCharToMultiByte(to, 0, wide.data(), wideLength, result.data(), size, nullptr,
                               nullptr);
  return result;
}

}  // namespace

std::string ToAnsi(win::Kernel32& kernel32, std::string_view utf8) {
  return Convert(kernel32, utf8, win::CP_UTF8, win::CP_ACP);
}

std::string FromAnsi(win::Kernel32& kernel32, std::string_view ansi) {
  return Convert(kernel32, ansi, win::CP_ACP, win::CP_UTF8);
}

}  // namespace lyn
