#include "platform/differential/wine_prefix.h"

#include <cstdio>

namespace lyn::differential {

std::optional<std::string> WinePrefix::Run(const std::string& program) const {
  const std::string command = "WINEPREFIX='" + folder_.path().string() + "' WINEDEBUG=-all " +
                              kWine + " '" + program + "' 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char chunk[4096];
  while (const std::size_t read = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, read);
  if (::pclose(pipe) != 0 || out.empty()) return std::nullopt;
  std::erase(out, '\r');
  return out;
}

}  // namespace lyn::differential
