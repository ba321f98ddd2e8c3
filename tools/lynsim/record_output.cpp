#include "record_output.h"

#include <string>

namespace lyn::lynsim {

void PrintRecord(std::ostream& out, const Record& record, bool json) {
  if (json) {
    out << record.dump() << "\n";
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
