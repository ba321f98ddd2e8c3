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

std::string MissingLogText(std::string_view logPath);
std::string UnreadableLogText(std::string_view logPath);
std::string DamagedLogText(std::string_view logPath, const LogFault& fault);

// The final message: removed, and then what was left and why, what goes at
// the next restart, and the shared files kept.
std::string ReportText(const RemovalPlan& plan, const RemovalResult& result);

}  // namespace lyn::uninstall
