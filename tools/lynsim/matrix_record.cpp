#include "matrix_record.h"

#include <algorithm>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "engine/manifest_rows.h"
#include "matrix_combination.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/ui/script.h"
#include "text_file.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;
namespace files = combination_files;

// The ending of a run whose person could not do what the default person
// does (a button that stayed disabled).
constexpr const char* kMisfit = "script does not fit";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::optional<Record> ReadJson(const fs::path& file) {
  const std::optional<std::string> text = ReadTextFile(file);
  if (!text) return std::nullopt;
  Record json = Record::parse(*text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::nullopt;
  return json;
}

std::string LastLine(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  const auto last = std::find_if(lines.rbegin(), lines.rend(),
                                 [](const std::string& line) { return !line.empty(); });
  return last == lines.rend() ? "" : *last;
}

// Successful and Failed lines under each section header of a log, in the
// order the sections come.
Record SectionCounts(const std::string& log) {
  Record sections = Record::array();
  for (const std::string& line : Lines(log)) {
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      sections.push_back({{"section", line}, {"successful", 0}, {"failed", 0}});
    } else if (!sections.empty() && (line == "Successful" || line == "Failed")) {
      sections.back()[line == "Successful" ? "successful" : "failed"] =
          sections.back()[line == "Successful" ? "successful" : "failed"].get<int>() + 1;
    }
  }
  return sections;
}

// The log's sentences (its lines that are no header, path, version line or
// outcome word, such as "First Time Install") with how often each comes, in
// the order they first come.
Record Sentences(const std::string& log) {
  Record sentences = Record::array();
  for (const std::string& line : Lines(log)) {
    const bool sentence = !line.empty() && line.front() != '[' &&
                          line.find('\\') == std::string::npos &&
                          line.find(" = ") == std::string::npos && line != "Successful" &&
                          line != "Failed" && line != "NA";
    if (!sentence) continue;
    const auto known = std::find_if(sentences.begin(), sentences.end(),
                                    [&](const Record& said) { return said["text"] == line; });
    if (known == sentences.end()) {
      sentences.push_back({{"text", line}, {"count", 1}});
    } else {
      (*known)["count"] = (*known)["count"].get<int>() + 1;
    }
  }
  return sentences;
}

// The shared files the install places in the system and DAO folders and the
// uninstaller keeps, case-folded, where the machine's drives hold them.
std::set<std::string> SharedFiles(const sim::Profile& profile) {
  const std::string system =
      profile.Wow64 ? profile.WindowsDirectory + "\\SysWOW64" : profile.SystemDirectory;
  const std::string dao = profile.CommonFiles + "\\Microsoft Shared\\DAO";
  std::set<std::string> shared;
  for (const ManifestEntry& row : kManifestRows) {
    if (row.FileName == "SPARE") continue;
    if (row.Destination == WSPSF || row.Destination == WSP) {
      shared.insert(sim::FoldCase(system + "\\" + std::string(row.FileName)));
    } else if (row.Destination == PFCFMSDAO) {
      shared.insert(sim::FoldCase(dao + "\\" + std::string(row.FileName)));
    }
  }
  return shared;
}

// The lines of `lynsim diff` between the machine before the install and
// after the uninstall. A shared file the uninstaller keeps (added, changed
// or registered) and a folder made only to hold one are what the product
// means to leave; every other line is flagged.
Record Leftovers(const std::vector<std::string>& diff, const sim::Profile& profile) {
  const std::set<std::string> shared = SharedFiles(profile);
  std::vector<std::string> kept;
  struct Line {
    std::string change, what, path;
  };
  std::vector<Line> lines;
  for (const std::string& text : diff) {
    const auto colon = text.find(": ");
    if (colon == std::string::npos) continue;
    Line line{text.substr(0, colon), text.substr(colon + 2), ""};
    line.path = line.what;
    if (line.change == "file changed") line.path = line.what.substr(0, line.what.rfind(" ("));
    const bool keptFile = line.change == "file added" || line.change == "file changed" ||
                          line.change == "registration added";
    if (keptFile && shared.count(sim::FoldCase(line.path)) != 0) {
      kept.push_back(sim::FoldCase(line.path));
    }
    lines.push_back(line);
  }
  Record leftovers = Record::array();
  for (const Line& line : lines) {
    const std::string folded = sim::FoldCase(line.path) + "\\";
    bool flagged = std::find(kept.begin(), kept.end(), sim::FoldCase(line.path)) == kept.end();
    if (line.change == "folder added") {
      flagged = std::none_of(kept.begin(), kept.end(),
                             [&](const std::string& file) { return file.starts_with(folded); });
    }
    leftovers.push_back({{"change", line.change}, {"what", line.what}, {"flagged", flagged}});
  }
  return leftovers;
}

// The uninstaller's run: how it ended, its boxes, and its final report (the
// text of its last OK box).
Record Uninstall(const Record& run) {
  Record report = nullptr;
  for (const auto& box : run["messageBoxes"]) {
    if (box["buttons"] == "OK") report = box["text"];
  }
  return {{"ending", run["ending"]}, {"report", report}, {"messageBoxes", run["messageBoxes"]}};
}

bool AllRowsDone(const Record& install) {
  return std::all_of(install["rows"].begin(), install["rows"].end(),
                     [](const auto& row) { return row["result"] == "done"; });
}

bool AnyRowReached(const Record& install) {
  return std::any_of(install["rows"].begin(), install["rows"].end(),
                     [](const auto& row) { return row["result"] != "not reached"; });
}

bool AnyFailedLine(const Record& logs) {
  for (const auto& log : logs) {
    for (const auto& section : log["sections"]) {
      if (section["failed"].get<int>() > 0) return true;
    }
  }
  return false;
}

}  // namespace

fs::path CombinationName::Folder() const {
  return fs::path("runs") / preset / variant;
}

Record EmptyRecord(const CombinationName& name, const std::string& outcome) {
  return {{"preset", name.preset}, {"variant", name.variant},  {"outcome", outcome},
          {"ending", nullptr},     {"install", nullptr},       {"logs", Record::array()},
          {"grants", nullptr},     {"uninstall", nullptr},     {"uninstallNotes", nullptr},
          {"leftovers", nullptr},  {"files", Record::object()}};
}

Record CombinationRecord(const fs::path& out, const CombinationName& name, const MachinePlan& plan,
                         const JobEnd& end, double limitSeconds) {
  const fs::path relative = name.Folder();
  const fs::path folder = out / relative;
  // A file of the combination, when its step made it; error output only
  // when something was said there.
  const auto file = [&](const char* fileName, bool evenEmpty = true) -> Record {
    std::error_code error;
    const auto size = fs::file_size(folder / fileName, error);
    return !error && (evenEmpty || size > 0) ? Record((relative / fileName).string()) : nullptr;
  };
  Record record = EmptyRecord(name, outcomes::kFailed);
  const std::optional<Record> install = ReadJson(folder / files::kRecord);
  if (install) record["install"] = *install;

  Record logs = Record::array();
  std::error_code error;
  if (fs::is_directory(folder / files::kLogs, error)) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder / files::kLogs)) {
      found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    for (const fs::path& log : found) {
      const std::string text = ReadTextFile(log).value_or("");
      logs.push_back({{"name", log.stem().string()},
                      {"file", (relative / files::kLogs / log.filename()).string()},
                      {"sections", SectionCounts(text)},
                      {"sentences", Sentences(text)}});
    }
  }
  record["logs"] = logs;
  if (const auto grants = ReadTextFile(folder / files::kGrants)) record["grants"] = Lines(*grants);
  if (const auto uninstall = ReadJson(folder / files::kUninstallRecord)) {
    record["uninstall"] = Uninstall(*uninstall);
  }
  const std::string notes = ReadTextFile(folder / files::kUninstallNotes).value_or("") +
                            ReadTextFile(folder / files::kUninstallErrors).value_or("");
  if (!notes.empty()) record["uninstallNotes"] = notes;
  if (const auto diff = ReadTextFile(folder / files::kDiff)) {
    record["leftovers"] = Leftovers(Lines(*diff), plan.profile);
  }

  Record pictures = Record::array();
  if (fs::is_directory(folder / files::kPictures, error)) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder / files::kPictures)) {
      if (entry.path().extension() == ".png") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& picture : names) {
      pictures.push_back((relative / files::kPictures / picture).string());
    }
  }
  record["files"] = {{"transcript", file(files::kTranscript)},
                     {"installErrors", file(files::kErrors, false)},
                     {"installDiff", file(files::kInstallDiff)},
                     {"uninstallTranscript", file(files::kUninstallTranscript)},
                     {"diff", file(files::kDiff)},
                     {"pictures", pictures}};

  // The outcome, from the worst news down.
  const std::string step = ReadTextFile(folder / files::kStep).value_or("");
  const std::optional<std::string> workerError = ReadTextFile(folder / files::kError);
  const int status = install ? (*install)["ending"]["status"].get<int>() : -1;
  const std::string reason = install ? (*install)["ending"]["reason"].get<std::string>() : "";
  if (end.kind == JobEnd::Kind::CutAtLimit) {
    std::ostringstream limit;
    limit << limitSeconds;
    record["outcome"] = outcomes::kHung;
    record["ending"] = "cut at its time limit of " + limit.str() + " s during " +
                       (step.empty() ? std::string("its start") : step);
  } else if (workerError || !install || status == sim::kRunFailed || reason == kMisfit) {
    record["outcome"] = outcomes::kFailed;
    record["ending"] = workerError ? LastLine(*workerError)
                       : install   ? reason
                                   : "the install ended before it said how: " +
                                       LastLine(ReadTextFile(folder / files::kErrors).value_or(""));
  } else if (status == sim::kRunNotStarted) {
    record["outcome"] = outcomes::kNotStarted;
    record["ending"] = reason;
  } else if (reason == "Finish") {
    const bool clean =
        AllRowsDone(*install) && (*install)["failedFiles"].empty() && !AnyFailedLine(logs);
    record["outcome"] = clean ? outcomes::kInstalled : outcomes::kInstalledWithFailures;
    record["ending"] = reason;
  } else {
    record["outcome"] = AnyRowReached(*install) ? outcomes::kStopped : outcomes::kRefused;
    record["ending"] = reason;
  }
  if (end.kind == JobEnd::Kind::Failed && record["outcome"] != outcomes::kFailed) {
    record["outcome"] = outcomes::kFailed;
    record["ending"] = "the combination's process failed during " + step;
  }
  return record;
}

}  // namespace lyn::lynsim
