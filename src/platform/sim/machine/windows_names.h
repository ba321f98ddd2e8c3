// What Windows makes of a file name before it looks at any folder: the
// reserved device names, and names too long for the file system or the ANSI
// file functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/api/win_types.h"

namespace lyn::sim {

// The longest name of one file or folder (NTFS and FAT32 alike).
constexpr std::size_t kMaxNameLength = 255;

// A character Windows refuses in file names: the controls and <>:"|?*.
bool RefusedCharacter(char c);

// The device a name stands for, in upper case ("NUL", "COM1"), or nullopt.
// Windows reserves CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in every
// folder and in any case, also followed by blanks or by an extension:
// "C:\Data\nul.txt" is the null device, not a file.
std::optional<std::string> DeviceName(std::string_view name);

// The last error an ANSI file function gives for a path whose length or
// names it refuses before any folder is looked at, or ERROR_SUCCESS:
// ERROR_FILENAME_EXCED_RANGE for a path of MAX_PATH characters or more (the
// ANSI functions convert it into a buffer of MAX_PATH), ERROR_INVALID_NAME for
// a name longer than 255 characters or holding a character Windows refuses.
win::DWORD PathNameError(std::string_view path);

}  // namespace lyn::sim
