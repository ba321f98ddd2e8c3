#include "fakes/lnkinfo_reader.h"

#include <cstdio>
#include <fstream>

namespace lyn::fakes {

std::map<std::string, std::string> ReadWithLnkinfo(const std::filesystem::path& file) {
  std::map<std::string, std::string> fields;
  const std::string command = "lnkinfo -c windows-1252 '" + file.string() + "' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return fields;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    // "\tLabel\t\t\t: value": the first block's fields, one tab deep.
    const std::string text(line);
    const auto colon = text.find(':');
    if (text.size() < 2 || text[0] != '\t' || text[1] == '\t' || colon == std::string::npos) {
      continue;
    }
    std::string label = text.substr(1, colon - 1);
    label.erase(label.find_last_not_of('\t') + 1);
    std::string value = text.substr(colon + 1);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of('\n') + 1);
    fields.emplace(label, value);
  }
  ::pclose(pipe);
  return fields;
}

std::int32_t ShowCommandOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char bytes[4] = {};
  in.seekg(0x3C);
  in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  if (!in) return -1;
  return static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                   (static_cast<std::uint32_t>(bytes[3]) << 24));
}

}  // namespace lyn::fakes
