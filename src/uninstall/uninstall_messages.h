// The texts of the uninstaller's message boxes. Lines are joined by CR LF.
#pragma once

#include <string>
#include <string_view>

#include "uninstall/removal.h"
#include "uninstall/uninstall_log.h"

namespace lyn::uninstall {

inline constexpr std::string_view kCaption = "Uninstall Lynwood Catalog Suite 6.7";
inline constexpr std::string_view kQuestion =
    "Do you want to remove Lynwood Catalog Suite 6.7 from this computer?";
inline constexpr std::string_view kRemoved = "Lynwood Catalog Suite 6.7 was removed.";
inline constexpr std::string_view kEntryRemoved =
    "Lynwood Catalog Suite 6.7 was removed from the list of installed programs.";
inline constexpr std::string_view kStoppedInstallRemoved =
    "What the installation that stopped left was removed.";
inline constexpr std::string_view kNotRemoved =
    "Lynwood Catalog Suite 6.7 was not removed completely.";

std::string MissingLogText(std::string_view logPath);
std::string UnreadableLogText(std::string_view logPath);
std::string DamagedLogText(std::string_view logPath, const LogFault& fault);

// The question, for a log that stops early or misses lines.
std::string IncompleteLogQuestion(std::string_view logPath, int firstGap);
// The question, when the log is gone but the uninstall entry is not, and
// the program the entry names is gone too (`program` may be empty).
std::string LeftoverEntryQuestion(std::string_view logPath, std::string_view program);

// The question, when the log is missing or stops before naming the program
// folder and the uninstall entry names the program in `programFolder`.
std::string UnloggedInstallQuestion(std::string_view logPath, bool missing,
                                    std::string_view programFolder);

// The question, when the log is missing or stops before naming the program
// folder and an install that stopped there left empty folders (`plan`).
std::string StoppedInstallQuestion(std::string_view logPath, bool missing, const RemovalPlan& plan);

// The final message: `headline` (kNotRemoved for a removal left
// unfinished), and then what was left and why, what goes at the next
// restart, and the shared files kept.
std::string ReportText(std::string_view headline, const RemovalPlan& plan,
                       const RemovalResult& result);

}  // namespace lyn::uninstall
