// The moments the driver looks at a running install, shared by the driver
// and its hook in the program: the licence accepted, each progress row
// complete (as the emulated machine's phase pictures are taken), Finish.
#pragma once

#include <array>

namespace windriver {

inline constexpr std::array<const char*, 7> kPhases = {
    "0-licence",   "1-extraction",      "2-files", "3-registration",
    "4-shortcuts", "5-uninstall-entry", "6-finish"};
inline constexpr std::array<const char*, 5> kProgressLabels = {
    "lblExprogress", "lblInprogress", "lblRegprogress", "lblPGprogress", "lblUninstallprogress"};

// Named events of one program process (the name ends in "-" and its id):
// the hook sets the first when it holds the program, the driver the second
// to let it go on.
inline constexpr const char* kHeldEvent = "windriver-held";
inline constexpr const char* kResumeEvent = "windriver-resume";

}  // namespace windriver
