#include "platform/differential/wine_prefix.h"

#include <algorithm>
#include <cstdio>

namespace lyn::differential {

std::optional<std::string> WinePrefix::Run(const std::string& program,
                                           const std::vector<std::string>& arguments) const {
  std::string command =
      "WINEPREFIX='" + folder_.path().string() + "' WINEDEBUG=-all " + kWine + " '" + program + "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char chunk[4096];
  while (const std::size_t read = std::fread(chunk, 1, sizeof chunk, pipe)) out.append(chunk, read);
  if (::pclose(pipe) != 0 || out.empty()) return std::nullopt;
  std::erase(out, '\r');
  return out;
}

std::string WinePrefix::WindowsPath(const std::filesystem::path& host) {
  std::string path = "Z:" + host.string();
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace lyn::differential
