// How the inspection commands print a record: "Name: value" lines by
// default, one JSON object with --json.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

namespace lyn::lynsim {

// Fields keep the order they were added in.
using Record = nlohmann::ordered_json;

// Text: one "Name: value" line per field; strings as they are, flags as
// True or False, numbers in decimal, an empty value with nothing after the
// colon. JSON: the object on one line.
void PrintRecord(std::ostream& out, const Record& record, bool json);

}  // namespace lyn::lynsim
