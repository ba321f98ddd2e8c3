#include "uninstall/uninstall_messages.h"

namespace lyn::uninstall {
namespace {

constexpr std::string_view kNothingRemoved = "\r\nNothing was removed.";

std::string LogText(std::string_view logPath, std::string_view what) {
  return "The uninstall log " + std::string(logPath) + std::string(what) +
         std::string(kNothingRemoved);
}

void AddList(std::string& text, std::string_view title, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  text += "\r\n\r\n" + std::string(title);
  for (const std::string& line : lines) text += "\r\n" + line;
}

}  // namespace

std::string MissingLogText(std::string_view logPath) {
  return LogText(logPath, " is missing.");
}

std::string UnreadableLogText(std::string_view logPath) {
  return LogText(logPath, " cannot be read.");
}

std::string DamagedLogText(std::string_view logPath, const LogFault& fault) {
  return LogText(logPath,
                 " is damaged (line " + std::to_string(fault.line) + ": " + fault.reason + ").");
}

std::string IncompleteLogQuestion(std::string_view logPath, int firstGap) {
  return "The uninstall log " + std::string(logPath) + " is incomplete from line " +
         std::to_string(firstGap) +
         ": the installation did not finish. What it installed will be removed, and what it "
         "was placing when it stopped.\r\n\r\n" +
         std::string(kQuestion);
}

std::string LeftoverEntryQuestion(std::string_view logPath, std::string_view program) {
  const std::string named = program.empty() ? "" : " (" + std::string(program) + ")";
  return "The uninstall log " + std::string(logPath) +
         " is missing, and so is the program the uninstall entry names" + named +
         ": Lynwood Catalog Suite 6.7 has been removed already.\r\n\r\n"
         "Do you want to remove it from the list of installed programs?";
}

std::string UnloggedInstallQuestion(std::string_view logPath, bool missing,
                                    std::string_view programFolder) {
  return "The uninstall log " + std::string(logPath) +
         (missing ? " is missing" : " names no program folder") +
         ", but the uninstall entry names Lynwood Catalog Suite 6.7 in " +
         std::string(programFolder) +
         ". It will be removed from there and from the places its installation uses.\r\n\r\n" +
         std::string(kQuestion);
}

std::string StoppedInstallQuestion(std::string_view logPath, bool missing,
                                   const RemovalPlan& plan) {
  std::string text = "The uninstall log " + std::string(logPath) +
                     (missing ? " is missing" : " names no program folder") +
                     ": an installation of Lynwood Catalog Suite 6.7 stopped before it placed "
                     "anything. It left these, empty:";
  for (const Step& step : plan.steps) text += "\r\n" + step.path;
  return text + "\r\n\r\nDo you want to remove them?";
}

std::string ReportText(std::string_view headline, const RemovalPlan& plan,
                       const RemovalResult& result) {
  std::string text(result.unfinished ? kNotRemoved : headline);
  std::vector<std::string> left;
  for (const auto* list : {&plan.left, &result.left}) {
    for (const LeftBehind& item : *list) left.push_back(item.path + " (" + item.reason + ")");
  }
  AddList(text, "These could not be removed:", left);
  if (result.unfinished) {
    text +=
        "\r\n\r\nRun the uninstaller again to remove them; it stays on this computer until "
        "then.";
  }
  AddList(text, "Removed when Windows restarts:", result.atRestart);
  AddList(text, "Shared files kept, since other programs may use them:", plan.kept);
  return text;
}

}  // namespace lyn::uninstall
