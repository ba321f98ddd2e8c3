// How the inspection commands print a record: "Name: value" lines by
// default, one JSON object with --json. JSON keys are in lower camel case
// everywhere (docs/lynsim-json.md); a record's text names keep the
// platform's spelling and become keys by `JsonKey`.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace lyn::lynsim {

// Fields keep the order they were added in.
using Record = nlohmann::ordered_json;

// A name in lower camel case: the leading capitals in lower case, but for
// the last of several that starts a word ("OSName" is "osName",
// "FileOS" "fileOS").
std::string JsonKey(const std::string& name);

// Text: one "Name: value" line per field; strings as they are, flags as
// True or False, numbers in decimal, an empty value with nothing after the
// colon. JSON: the object on one line, its keys by JsonKey.
void PrintRecord(std::ostream& out, const Record& record, bool json);

}  // namespace lyn::lynsim
