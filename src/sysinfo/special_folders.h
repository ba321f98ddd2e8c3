// The folder queries: the system, Windows and temporary folders and the
// shell's special folders.
#pragma once

#include <string>

#include "platform/api/platform.h"

namespace lyn {

// The system folder, without a trailing backslash; empty on failure.
std::string GetSystemDir(Platform& platform);
// The Windows folder, without a trailing backslash; empty on failure.
std::string GetWindowsDir(Platform& platform);
// The temporary folder with the platform's trailing backslash; empty when
// the query fails or the path does not fit its buffer.
std::string GetTempDir(Platform& platform);
// A shell folder by its number (CSIDL), or "NO" when the shell cannot give it.
std::string GetSpecialFolderPath(Platform& platform, win::LONG csidl);

}  // namespace lyn
