#include "matrix_differences.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

namespace lyn::lynsim {
namespace {

constexpr const char* kDefault = " (the default person: ";
// At most this many lines of a report are quoted in one sentence.
constexpr std::size_t kQuotedLines = 3;

std::string Quoted(const Record& text) {
  return text.is_string() ? std::string("\"").append(text.get<std::string>()) + "\""
                          : std::string("nothing");
}

std::string RowWord(const Record& result) {
  if (result == "done") return "a tick";
  if (result == "failed") return "a cross";
  return "not reached";
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

const Record& Field(const Record& record, const char* name) {
  static const Record none = nullptr;
  return record.is_object() && record.contains(name) ? record[name] : none;
}

std::multiset<std::string> BoxTitles(const Record& install) {
  std::multiset<std::string> titles;
  for (const auto& box : Field(install, "messageBoxes")) titles.insert(box["title"]);
  return titles;
}

std::size_t Flagged(const Record& leftovers) {
  return static_cast<std::size_t>(std::count_if(leftovers.begin(), leftovers.end(),
                                                [](const auto& line) { return line["flagged"]; }));
}

std::vector<std::string> ReportLines(const Record& uninstall) {
  std::vector<std::string> lines;
  std::istringstream in(
      Field(uninstall, "report").is_string() ? uninstall["report"].get<std::string>() : "");
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// "A; B; C and 4 more".
std::string Listed(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < std::min(lines.size(), kQuotedLines); ++i) {
    text += (i == 0 ? "\"" : "; \"") + lines[i] + "\"";
  }
  if (lines.size() > kQuotedLines)
    text += " and " + std::to_string(lines.size() - kQuotedLines) + " more";
  return text;
}

std::vector<std::string> Only(const std::vector<std::string>& these,
                              const std::vector<std::string>& others) {
  std::vector<std::string> only;
  for (const std::string& line : these) {
    if (std::find(others.begin(), others.end(), line) == others.end()) only.push_back(line);
  }
  return only;
}

void InstallDifferences(const Record& record, const Record& baseline,
                        std::vector<std::string>& words) {
  const Record& install = record["install"];
  const Record& base = baseline["install"];
  if (install.is_object() && base.is_object()) {
    // Rows that changed alike are told together: "the files and
    // registration rows: a cross (the default person: a tick)".
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> changed;
    for (std::size_t row = 0; row < install["rows"].size() && row < base["rows"].size(); ++row) {
      const std::string result = RowWord(install["rows"][row]["result"]);
      const std::string was = RowWord(base["rows"][row]["result"]);
      if (result != was) changed[{result, was}].push_back(install["rows"][row]["name"]);
    }
    for (const auto& [results, rows] : changed) {
      std::string names;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        names += (i == 0 ? "" : i + 1 == rows.size() ? " and " : ", ") + rows[i];
      }
      words.push_back("the " + names + (rows.size() == 1 ? " row: " : " rows: ") + results.first +
                      kDefault + results.second + ")");
    }
  }
  const std::multiset<std::string> titles = BoxTitles(install);
  const std::multiset<std::string> baseTitles = BoxTitles(base);
  for (const std::string& title : titles) {
    if (baseTitles.count(title) < titles.count(title)) {
      words.push_back("shows the message box \"" + title + "\"");
    }
  }
  for (const std::string& title : baseTitles) {
    if (titles.count(title) < baseTitles.count(title)) {
      words.push_back("does not show the message box \"" + title + "\"");
    }
  }
  const std::size_t failed = Field(install, "failedFiles").size();
  const std::size_t baseFailed = Field(base, "failedFiles").size();
  if (failed != baseFailed) {
    words.push_back(Counted(failed, "file", "files") + " not copied" + kDefault +
                    std::to_string(baseFailed) + ")");
  }
}

// "LOG" -> "SECTION" -> (Successful, Failed), for the logs the run wrote.
std::map<std::string, std::map<std::string, std::pair<int, int>>> Counts(const Record& logs) {
  std::map<std::string, std::map<std::string, std::pair<int, int>>> counts;
  for (const auto& log : logs) {
    auto& sections = counts[log["name"].get<std::string>()];
    for (const auto& section : log["sections"]) {
      sections[section["section"]] = {section["successful"], section["failed"]};
    }
  }
  return counts;
}

// (LOG, sentence) -> how often the log says it.
std::map<std::pair<std::string, std::string>, int> Said(const Record& logs) {
  std::map<std::pair<std::string, std::string>, int> said;
  for (const auto& log : logs) {
    for (const auto& sentence : log["sentences"])
      said[{log["name"], sentence["text"]}] = sentence["count"];
  }
  return said;
}

std::string Times(int count) {
  return count == 1 ? "once" : std::to_string(count) + " times";
}

std::string CountsText(const std::map<std::string, std::pair<int, int>>& sections,
                       const std::string& section) {
  const auto found = sections.find(section);
  return found == sections.end() ? std::string("no such section")
                                 : std::to_string(found->second.first) + " Successful, " +
                                       std::to_string(found->second.second) + " Failed";
}

void LogDifferences(const Record& record, const Record& baseline, std::vector<std::string>& words) {
  const auto logs = Counts(record["logs"]);
  const auto baseLogs = Counts(baseline["logs"]);
  for (const auto& [log, sections] : baseLogs) {
    if (logs.count(log) == 0) words.push_back("writes no " + log + " (the default person does)");
  }
  // The same change in both logs is told once: "InstallInfo.log and
  // UnInstallLYN.log [SYSTEM]: ...".
  std::map<std::tuple<std::string, std::string, std::string>, std::string> changed;
  std::vector<std::tuple<std::string, std::string, std::string>> order;
  for (const auto& [log, sections] : logs) {
    const auto base = baseLogs.find(log);
    if (base == baseLogs.end()) {
      words.push_back("writes " + log + " (the default person does not)");
      continue;
    }
    std::set<std::string> names;
    for (const auto& [section, count] : sections) names.insert(section);
    for (const auto& [section, count] : base->second) names.insert(section);
    for (const std::string& section : names) {
      const auto key = std::make_tuple(section, CountsText(sections, section),
                                       CountsText(base->second, section));
      if (std::get<1>(key) == std::get<2>(key)) continue;
      if (changed.count(key) == 0) order.push_back(key);
      changed[key] += (changed[key].empty() ? "" : " and ") + log;
    }
  }
  for (const auto& key : order) {
    words.push_back(changed[key] + " " + std::get<0>(key) + ": " + std::get<1>(key) + kDefault +
                    std::get<2>(key) + ")");
  }
  const auto said = Said(record["logs"]);
  const auto baseSaid = Said(baseline["logs"]);
  for (const auto& [sentence, count] : said) {
    const auto was = baseSaid.find(sentence);
    const int baseCount = was == baseSaid.end() ? 0 : was->second;
    if (count != baseCount && logs.count(sentence.first) != 0 &&
        baseLogs.count(sentence.first) != 0) {
      words.push_back(sentence.first + " says \"" + sentence.second + "\" " + Times(count) +
                      kDefault + Times(baseCount) + ")");
    }
  }
  for (const auto& [sentence, count] : baseSaid) {
    if (said.count(sentence) == 0 && logs.count(sentence.first) != 0) {
      words.push_back(sentence.first + " never says \"" + sentence.second + "\"" + kDefault +
                      Times(count) + ")");
    }
  }
  const std::size_t grants = Field(record, "grants").size();
  const std::size_t baseGrants = Field(baseline, "grants").size();
  if (grants != baseGrants) {
    words.push_back("makes " + Counted(grants, "grant", "grants") + " to the Users group" +
                    kDefault + std::to_string(baseGrants) + ")");
  }
}

void UninstallDifferences(const Record& record, const Record& baseline,
                          std::vector<std::string>& words) {
  const Record& uninstall = record["uninstall"];
  const Record& base = baseline["uninstall"];
  if (uninstall.is_null() != base.is_null()) {
    words.push_back(uninstall.is_null() ? "the uninstaller is not run"
                                        : "the uninstaller is run (not for the default person)");
  }
  if (uninstall.is_null() || base.is_null()) return;
  const Record& reason = uninstall["ending"]["reason"];
  const Record& baseReason = base["ending"]["reason"];
  if (reason != baseReason) {
    words.push_back("the uninstaller ends with " + Quoted(reason) + kDefault + Quoted(baseReason) +
                    ")");
  }
  const std::vector<std::string> lines = ReportLines(uninstall);
  const std::vector<std::string> baseLines = ReportLines(base);
  if (const auto only = Only(lines, baseLines); !only.empty()) {
    words.push_back("the uninstaller's report also says " + Listed(only));
  }
  if (const auto missing = Only(baseLines, lines); !missing.empty()) {
    words.push_back("the uninstaller's report does not say " + Listed(missing));
  }
}

}  // namespace

std::vector<std::string> Differences(const Record& record, const Record& baseline) {
  std::vector<std::string> words;
  if (record["outcome"] != baseline["outcome"] || record["ending"] != baseline["ending"]) {
    const auto ended = [](const Record& combination) {
      return combination["outcome"].get<std::string>() + ", " + Quoted(combination["ending"]);
    };
    words.push_back(ended(record) + kDefault + ended(baseline) + ")");
  }
  InstallDifferences(record, baseline, words);
  LogDifferences(record, baseline, words);
  UninstallDifferences(record, baseline, words);
  const Record& leftovers = record["leftovers"];
  const Record& baseLeftovers = baseline["leftovers"];
  if (leftovers.is_array() && baseLeftovers.is_array() &&
      Flagged(leftovers) != Flagged(baseLeftovers)) {
    words.push_back("leaves " + Counted(Flagged(leftovers), "change", "changes") +
                    " beyond the shared files after the uninstall" + kDefault +
                    std::to_string(Flagged(baseLeftovers)) + ")");
  }
  return words;
}

}  // namespace lyn::lynsim
