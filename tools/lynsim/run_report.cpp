#include "run_report.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/api/user32.h"
#include "platform/sim/machine/host_view.h"
#include "platform/sim/ui/script.h"
#include "record_output.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

// The rows of the progress panel, top to bottom, by the name a person reads
// them under; each has a tick and a cross numbered by its place.
constexpr std::array<const char*, 5> kRows = {"extraction", "files", "registration", "shortcuts",
                                              "uninstall entry"};
constexpr const char* kUninstallLog = "UnInstallLYN.log";

bool Shown(const sim::WidgetSet& widgets, const std::string& name) {
  const sim::ControlModel* control = widgets.Find(name);
  return control != nullptr && control->Visible();
}

// "done" under a tick, "failed" under a cross, else "not reached".
std::string RowResult(const sim::WidgetSet* widgets, std::size_t row) {
  const std::string place = std::string("(").append(std::to_string(row)) + ")";
  if (widgets != nullptr && Shown(*widgets, "imgTick" + place)) return "done";
  if (widgets != nullptr && Shown(*widgets, "imgCross" + place)) return "failed";
  return "not reached";
}

struct LogEntry {
  std::string section;
  std::string item;
  std::string outcome;
};

struct WrittenLog {
  std::vector<LogEntry> entries;
  bool complete = false;  // it ends with "[END]"
};

// The uninstall log as the run left it: after each section header its
// entries, an item line and an outcome line each.
WrittenLog ReadLog(const std::string& text) {
  WrittenLog log;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  std::string section;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      section = line;
      log.complete = section == "[END]";
      continue;
    }
    if (log.complete || section.empty()) continue;
    const std::string outcome = i + 1 < lines.size() ? lines[++i] : std::string();
    log.entries.push_back(LogEntry{section, line, outcome});
  }
  return log;
}

class RunReport {
 public:
  RunReport(const sim::Machine& machine, RunOutput output, std::ostream& out)
      : machine_(machine), output_(output), out_(out), started_(fs::file_time_type::clock::now()) {}

  void Print(const sim::RunEnding& ending) const {
    const std::optional<WrittenLog> log = LogOfThisRun();
    // The machine's own account of the copies that failed: the log misses
    // those it could not be written for (a full disk fails both).
    const std::vector<std::string> failed =
        ending.notCopied ? *ending.notCopied : std::vector<std::string>{};
    if (output_ == RunOutput::Json) {
      out_ << Json(ending, log, failed).dump() << std::endl;
      return;
    }
    if (output_ == RunOutput::Quiet) {
      for (std::size_t row = 0; row < kRows.size(); ++row) {
        out_ << kRows[row] << ": " << RowResult(ending.widgets, row) << "\n";
      }
    }
    for (const std::string& file : failed) out_ << "failed: " << file << "\n";
    if (output_ == RunOutput::Quiet) out_ << "ended: " << ending.reason << "\n";
    out_.flush();
  }

 private:
  // The uninstall log, when this run wrote it.
  std::optional<WrittenLog> LogOfThisRun() const {
    const fs::path host =
        sim::HostPathOf(machine_, machine_.profile().WindowsDirectory + "\\" + kUninstallLog);
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(host, error);
    if (error || written < started_) return std::nullopt;
    std::ifstream in(host, std::ios::binary);
    const std::string ansi{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ReadLog(machine_.AnsiToUtf8(ansi));
  }

  static Record Json(const sim::RunEnding& ending, const std::optional<WrittenLog>& log,
                     const std::vector<std::string>& failed) {
    Record rows = Record::array();
    for (std::size_t row = 0; row < kRows.size(); ++row) {
      rows.push_back({{"name", kRows[row]}, {"result", RowResult(ending.widgets, row)}});
    }
    Record boxes = Record::array();
    for (const sim::ShownBox& box : ending.boxes ? *ending.boxes : std::vector<sim::ShownBox>{}) {
      const bool yesNo = (box.type & win::MB_TYPEMASK) == win::MB_YESNO;
      boxes.push_back({{"title", box.caption},
                       {"text", box.text},
                       {"buttons", yesNo ? "Yes/No" : "OK"},
                       {"critical", (box.type & win::MB_ICONMASK) == win::MB_ICONSTOP},
                       {"answer", box.answer ? Record(sim::AnswerName(*box.answer)) : nullptr}});
    }
    Record record{{"ending", {{"reason", ending.reason}, {"status", ending.status}}},
                  {"rows", rows},
                  {"messageBoxes", boxes},
                  {"log", nullptr},
                  {"failedFiles", failed}};
    if (log) {
      Record entries = Record::array();
      for (const LogEntry& entry : log->entries) {
        entries.push_back(
            {{"section", entry.section}, {"item", entry.item}, {"outcome", entry.outcome}});
      }
      record["log"] = {{"complete", log->complete}, {"entries", entries}};
    }
    return record;
  }

  sim::Machine machine_;
  RunOutput output_;
  std::ostream& out_;
  fs::file_time_type started_;
};

}  // namespace

sim::EndingFunction ReportRun(const sim::Machine& machine, RunOutput output, std::ostream& out) {
  auto report = std::make_shared<RunReport>(machine, output, out);
  return [report](const sim::RunEnding& ending) { report->Print(ending); };
}

}  // namespace lyn::lynsim
