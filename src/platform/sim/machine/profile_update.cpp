// A profile file rewritten in its own layout, so that the comments a person
// wrote in it survive a change of its values.
#include <map>
#include <sstream>

#include "platform/sim/machine/profile.h"

namespace lyn::sim {
namespace {

// The field a "field = value" line names; empty for comments and blank lines.
std::string FieldOf(const std::string& line) {
  const auto start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line[start] == '#') return "";
  const auto equals = line.find('=');
  if (equals == std::string::npos || equals <= start) return "";
  const auto end = line.find_last_not_of(" \t", equals - 1);
  return end == std::string::npos || end < start ? "" : line.substr(start, end - start + 1);
}

}  // namespace

std::string UpdatedProfileText(const std::string& previous, const Profile& profile) {
  const std::string fresh = ProfileToText(profile);
  if (previous.empty()) return fresh;
  std::map<std::string, std::string> lines;  // by field
  std::vector<std::string> order;
  std::istringstream freshLines(fresh);
  for (std::string line; std::getline(freshLines, line);) {
    const std::string field = FieldOf(line);
    if (field.empty()) continue;
    lines[field] = line;
    order.push_back(field);
  }
  std::string text;
  std::istringstream previousLines(previous);
  for (std::string line; std::getline(previousLines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string field = FieldOf(line);
    const auto fresher = lines.find(field);
    if (field.empty()) {
      text += line + "\n";
    } else if (fresher != lines.end()) {
      text += fresher->second + "\n";
      lines.erase(fresher);
    }
  }
  for (const std::string& field : order) {
    if (const auto left = lines.find(field); left != lines.end()) text += left->second + "\n";
  }
  return text;
}

}  // namespace lyn::sim
