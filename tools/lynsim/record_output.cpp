#include "record_output.h"

#include <cctype>
#include <string>

namespace lyn::lynsim {

std::string JsonKey(const std::string& name) {
  std::string key = name;
  const auto upper = [&](std::size_t i) {
    return i < key.size() && std::isupper(static_cast<unsigned char>(key[i]));
  };
  std::size_t capitals = 0;
  while (upper(capitals)) ++capitals;
  const bool wordFollows = capitals > 1 && capitals < key.size() &&
                           std::islower(static_cast<unsigned char>(key[capitals]));
  const std::size_t lowered = wordFollows ? capitals - 1 : capitals;
  for (std::size_t i = 0; i < lowered; ++i) {
    key[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[i])));
  }
  return key;
}

void PrintRecord(std::ostream& out, const Record& record, bool json) {
  if (json) {
    Record keyed;
    for (const auto& [name, value] : record.items()) keyed[JsonKey(name)] = value;
    out << keyed.dump() << "\n";
    return;
  }
  for (const auto& [name, value] : record.items()) {
    std::string text;
    if (value.is_string()) {
      text = value.get<std::string>();
    } else if (value.is_boolean()) {
      text = value.get<bool>() ? "True" : "False";
    } else {
      text = value.dump();
    }
    out << name << ":" << (text.empty() ? "" : " ") << text << "\n";
  }
}

}  // namespace lyn::lynsim
