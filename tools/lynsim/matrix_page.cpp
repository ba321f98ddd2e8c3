#include "matrix_page.h"

#include <array>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "matrix_record.h"
#include "text_file.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

// Each outcome's colour, and what it means, in the legend's order.
struct OutcomeStyle {
  const char* outcome;
  const char* colours;
  const char* meaning;
};
constexpr std::array<OutcomeStyle, 9> kOutcomes = {{
    {outcomes::kInstalled, "background:#b6e3a8",
     "Finish, every progress row ticked, no file or step failed"},
    {outcomes::kInstalledWithFailures, "background:#f6dd7d",
     "Finish, but a row shows a cross or the logs record failures"},
    {outcomes::kRefused, "background:#c7d5ec",
     "the setup program ended with a message box before installing anything"},
    {outcomes::kStopped, "background:#f2ae7c", "a fatal message box ended the install part-way"},
    {outcomes::kNotStarted, "background:#d8c1e8", "Windows did not start the setup program"},
    {outcomes::kFailed, "background:#d9534f;color:#fff",
     "the machine, the host or the program failed, or the person could not go on"},
    {outcomes::kHung, "background:#8b0000;color:#fff", "cut at the time limit"},
    {outcomes::kNotApplicable, "background:#eeeeee;color:#777",
     "the edition lacks what the variant needs"},
    {outcomes::kNotRun, "background:#ffffff;color:#777", "no part of the run made it"},
}};

std::string Html(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Text(const Record& value) {
  if (value.is_string()) return value.get<std::string>();
  return value.is_null() ? "" : value.dump();
}

std::string ClassOf(const Record& outcome) {
  std::string name = "o-" + Text(outcome);
  for (char& c : name) c = c == ' ' ? '-' : c;
  return name;
}

std::string Head(const std::string& title) {
  std::string css =
      "body{font-family:sans-serif;margin:1.5em;color:#222}"
      "table{border-collapse:collapse}"
      "th,td{border:1px solid #999;padding:4px 6px;vertical-align:top;text-align:left;"
      "font-size:13px}"
      "td a{font-weight:bold;color:inherit}"
      "td a.file{font-weight:normal}"
      "ul.words{margin:3px 0 0 1em;padding:0;font-size:11px;max-width:24em}"
      "pre{background:#f6f6f6;padding:6px;white-space:pre-wrap}"
      ".flagged{color:#b00000;font-weight:bold}";
  for (const OutcomeStyle& style : kOutcomes) {
    css.append(".").append(ClassOf(style.outcome)).append("{").append(style.colours).append("}");
  }
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         Html(title) + "</title>\n<style>" + css + "</style>\n</head>\n<body>\n";
}

void Write(const fs::path& file, const std::string& html) {
  WriteTextFile(file, html + "</body>\n</html>\n");
}

// A file of the record, linked from the combination's own page.
std::string LinkFrom(const fs::path& page, const Record& file, const std::string& label) {
  if (!file.is_string()) return "";
  const fs::path target = fs::path(file.get<std::string>()).lexically_relative(page);
  return "<li><a href=\"" + Html(target.generic_string()) + "\">" + Html(label) + "</a></li>\n";
}

// A list of sentences; in a cell of the table in small print.
std::string WordsList(const Record& words, bool small = false) {
  std::string html = small ? "<ul class=\"words\">" : "<ul>";
  for (const auto& line : words) html += "<li>" + Html(Text(line)) + "</li>";
  return html + "</ul>";
}

std::string Cell(const Record& combination) {
  const CombinationName name{combination["preset"], combination["variant"]};
  std::string html = "<td class=\"" + ClassOf(combination["outcome"]) + "\">";
  const bool shown = combination["outcome"] != outcomes::kNotApplicable &&
                     combination["outcome"] != outcomes::kNotRun;
  if (!shown) return html + Html(Text(combination["outcome"])) + "</td>";
  html += "<a href=\"" + Html((name.Folder() / "index.html").generic_string()) + "\">" +
          Html(Text(combination["outcome"])) + "</a>";
  const Record& differences = combination["differences"];
  if (combination["variant"] == kDefaultVariant) {
    html += WordsList(Record::array({"ends with \"" + Text(combination["ending"]) + "\""}), true);
  } else if (differences.is_array() && differences.empty()) {
    html += WordsList(Record::array({"as the default person"}), true);
  } else if (differences.is_array()) {
    html += WordsList(differences, true);
  }
  // The combination's files at hand: its transcript, its first log, what
  // the uninstall left and the picture of the end.
  const Record& files = combination["files"];
  const Record& logs = combination["logs"];
  const Record& pictures = files["pictures"];
  const std::pair<Record, const char*> links[] = {
      {files["transcript"], "transcript"},
      {logs.empty() ? Record(nullptr) : logs.front()["file"], "log"},
      {files["diff"], "diff"},
      {pictures.empty() ? Record(nullptr) : pictures.back(), "picture"}};
  std::string shortcuts;
  for (const auto& [file, label] : links) {
    if (!file.is_string()) continue;
    shortcuts += std::string(shortcuts.empty() ? "" : " &middot; ") + "<a class=\"file\" href=\"" +
                 Html(Text(file)) + "\">" + label + "</a>";
  }
  return html + (shortcuts.empty() ? "" : "<small>" + shortcuts + "</small>") + "</td>";
}

std::string Summary(const Record& document) {
  std::map<std::string, int> counts;
  for (const auto& combination : document["combinations"]) ++counts[Text(combination["outcome"])];
  std::string html = "<p>" + std::to_string(document["combinations"].size()) + " combinations";
  for (const OutcomeStyle& style : kOutcomes) {
    if (counts[style.outcome] > 0) {
      html += ", " + std::to_string(counts[style.outcome]) + " " + style.outcome;
    }
  }
  html += ".";
  if (document["shard"].is_object()) {
    html += " This is part " + Text(document["shard"]["part"]) + " of " +
            Text(document["shard"]["of"]) +
            "; 'lynsim matrix merge' joins the parts into the whole matrix.";
  }
  return html + "</p>\n";
}

std::string MainPage(const Record& document) {
  std::string html = Head("LYN Setup compatibility matrix");
  html += "<h1>LYN Setup on each Windows edition</h1>\n" + Summary(document);
  html +=
      "<p>Each cell is one machine: the whole install as the person of the variant does it, "
      "then the uninstaller. Cells say how the outcome differs from the default person's on "
      "the same edition; each links to its record, transcripts, logs, differences and "
      "pictures.</p>\n";
  html += "<table id=\"matrix\">\n<thead><tr><th>Edition</th>";
  for (const auto& variant : document["variants"]) {
    html += "<th title=\"" + Html(Text(variant["description"])) + "\">" +
            Html(Text(variant["name"])) + "</th>";
  }
  html += "</tr></thead>\n<tbody>\n";
  std::map<std::pair<std::string, std::string>, const Record*> cells;
  for (const auto& combination : document["combinations"]) {
    cells[{combination["preset"], combination["variant"]}] = &combination;
  }
  for (const auto& preset : document["presets"]) {
    html += "<tr><th>" + Html(Text(preset["name"])) + "<br><small>" +
            Html(Text(preset["description"])) + "</small></th>";
    for (const auto& variant : document["variants"]) {
      const auto found = cells.find({preset["name"], variant["name"]});
      html += found == cells.end() ? "<td></td>" : Cell(*found->second);
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n<h2>Variants</h2>\n<dl>\n";
  for (const auto& variant : document["variants"]) {
    html += "<dt><b>" + Html(Text(variant["name"])) + "</b></dt><dd>" +
            Html(Text(variant["description"]));
    if (!variant["requires"].is_null()) html += " (only where there is an elevation prompt)";
    for (const auto& setting : variant["settings"])
      html += "<br><code>" + Html(Text(setting)) + "</code>";
    html += "</dd>\n";
  }
  html += "</dl>\n<h2>Outcomes</h2>\n<table>\n";
  for (const OutcomeStyle& style : kOutcomes) {
    html += "<tr><td class=\"" + ClassOf(style.outcome) + "\">" + style.outcome + "</td><td>" +
            style.meaning + "</td></tr>\n";
  }
  return html + "</table>\n";
}

std::string Section(const std::string& title, const std::string& body) {
  return body.empty() ? "" : "<h2>" + Html(title) + "</h2>\n" + body;
}

std::string BoxesHtml(const Record& boxes) {
  std::string html;
  for (const auto& box : boxes) {
    html += "<p><b>" + Html(Text(box["title"])) + "</b> [" + Html(Text(box["buttons"])) +
            "], answered " + Html(box["answer"].is_null() ? "nothing" : Text(box["answer"])) +
            "</p>\n<pre>" + Html(Text(box["text"])) + "</pre>\n";
  }
  return html;
}

std::string DetailPage(const Record& document, const Record& combination) {
  const CombinationName name{combination["preset"], combination["variant"]};
  const fs::path page = name.Folder();
  std::string html = Head(name.preset + " with " + name.variant);
  html += "<p><a href=\"../../../index.html\">The matrix</a></p>\n<h1>" + Html(name.preset) +
          " with " + Html(name.variant) + "</h1>\n<ul>\n";
  for (const auto& preset : document["presets"]) {
    if (preset["name"] == name.preset)
      html += "<li>" + Html(Text(preset["description"])) + "</li>\n";
  }
  for (const auto& variant : document["variants"]) {
    if (variant["name"] == name.variant) {
      html += "<li>" + Html(Text(variant["description"])) + "</li>\n";
    }
  }
  html += "</ul>\n<p id=\"outcome\" class=\"" + ClassOf(combination["outcome"]) + "\">" +
          Html(Text(combination["outcome"])) + ": ends with \"" +
          Html(Text(combination["ending"])) + "\"</p>\n";
  if (combination["differences"].is_array()) {
    html += Section("Differences from the default person",
                    combination["differences"].empty() ? "<p>none</p>\n"
                                                       : WordsList(combination["differences"]));
  }
  const Record& files = combination["files"];
  std::string links =
      LinkFrom(page, files["transcript"], "the install's transcript") +
      LinkFrom(page, files["installErrors"], "what the install said on its error output") +
      LinkFrom(page, files["installDiff"], "what the install changed (lynsim diff)");
  for (const auto& log : combination["logs"]) {
    links += LinkFrom(page, log["file"], Text(log["name"]) + " as the install left it");
  }
  links +=
      LinkFrom(page, files["uninstallTranscript"], "the uninstaller's transcript") +
      LinkFrom(page, files["diff"], "the machine after the uninstall against before the install");
  for (const auto& picture : files["pictures"]) links += LinkFrom(page, picture, Text(picture));
  html += Section("Files", links.empty() ? "" : "<ul>\n" + links + "</ul>\n");

  const Record& install = combination["install"];
  if (install.is_object()) {
    std::string rows = "<table>\n";
    for (const auto& row : install["rows"]) {
      rows += "<tr><td>" + Html(Text(row["name"])) + "</td><td>" + Html(Text(row["result"])) +
              "</td></tr>\n";
    }
    html += Section("Progress rows", rows + "</table>\n") +
            Section("Message boxes of the install", BoxesHtml(install["messageBoxes"]));
  }
  std::string logs;
  for (const auto& log : combination["logs"]) {
    logs += "<h3>" + Html(Text(log["name"])) +
            "</h3>\n<table>\n<tr><th>Section</th><th>Successful</th><th>Failed</th></tr>\n";
    for (const auto& section : log["sections"]) {
      logs += "<tr><td>" + Html(Text(section["section"])) + "</td><td>" +
              Text(section["successful"]) + "</td><td>" + Text(section["failed"]) + "</td></tr>\n";
    }
    logs += "</table>\n";
  }
  html += Section("Logs", logs);
  if (combination["grants"].is_array()) {
    html +=
        Section("Grants to the Users group",
                combination["grants"].empty() ? "<p>none</p>\n" : WordsList(combination["grants"]));
  }
  const Record& uninstall = combination["uninstall"];
  std::string removal;
  if (!combination["uninstallNotes"].is_null()) {
    removal += "<pre>" + Html(Text(combination["uninstallNotes"])) + "</pre>\n";
  }
  if (uninstall.is_object()) {
    removal += "<p>ends with \"" + Html(Text(uninstall["ending"]["reason"])) + "\"</p>\n" +
               BoxesHtml(uninstall["messageBoxes"]);
  }
  html += Section("The uninstaller", removal);
  if (combination["leftovers"].is_array()) {
    std::string lines = "<ul>\n";
    for (const auto& line : combination["leftovers"]) {
      const bool flagged = line["flagged"];
      lines += std::string("<li") + (flagged ? " class=\"flagged\"" : "") + ">" +
               Html(Text(line["change"]) + ": " + Text(line["what"])) +
               (flagged ? " (beyond the shared files)" : " (a shared file, kept)") + "</li>\n";
    }
    html += Section("After the uninstall, against the machine before the install",
                    combination["leftovers"].empty() ? "<p>the same</p>\n" : lines + "</ul>\n");
  }
  std::string pictures;
  for (const auto& picture : files["pictures"]) {
    const fs::path target = fs::path(Text(picture)).lexically_relative(page);
    pictures += "<p><img src=\"" + Html(target.generic_string()) + "\" alt=\"" +
                Html(target.filename().string()) + "\"></p>\n";
  }
  return html + Section("Pictures", pictures);
}

}  // namespace

void WritePages(const fs::path& out, const Record& document) {
  Write(out / "index.html", MainPage(document));
  for (const auto& combination : document["combinations"]) {
    const CombinationName name{combination["preset"], combination["variant"]};
    std::error_code error;
    if (!fs::is_directory(out / name.Folder(), error)) continue;
    Write(out / name.Folder() / "index.html", DetailPage(document, combination));
  }
}

}  // namespace lyn::lynsim
