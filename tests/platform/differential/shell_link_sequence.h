// One shortcut written through the seam's shell link object, the same way
// on the emulated machine and, built for Windows, under Wine.
#pragma once

#include "platform/api/com.h"

namespace lyn::differential {

// The target, its folder and the shortcut file the sequence uses.
inline constexpr const char* kLinkTarget = "C:\\windows\\notepad.exe";
inline constexpr const char* kLinkFolder = "C:\\windows\\";
inline constexpr const char16_t* kLinkFile = u"C:\\lyn-diff.lnk";

// Sets target, working folder, arguments, description, icon and show
// command, resolves and saves; the first failing call's result, or S_OK.
win::HRESULT SaveShortcut(win::Com& com);

}  // namespace lyn::differential
