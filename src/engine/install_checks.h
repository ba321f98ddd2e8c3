// The small checks the install run makes on folders and files, each by a
// directory search of the given path.
#pragma once

#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// What CheckInstalled finds in a candidate program folder.
enum InstallCheck {
  kInstalled = 1,   // "LYN.exe" and "ssvd.dtb" are both there
  kFolderOnly = 2,  // the folder exists without both files
  kNoFolder = 3,
};

InstallCheck CheckInstalled(Platform& platform, std::string_view folder);

// True when the path names neither a folder nor a file; hidden and system
// entries do not count.
bool FolderMissing(Platform& platform, std::string_view path);

// True when the path names no file; a hidden or system file counts as missing.
bool FileMissing(Platform& platform, std::string_view path);

// True when the folder does not exist. An existing one is emptied of its
// files and false is returned; a file that cannot be deleted shows "System
// Files/Folders in Use", owned by `owner`, and ends the program.
bool PrepareTempFolder(Platform& platform, std::string_view folder, win::HWND owner);

// Deletes the files directly in the folder; returns false at the first one
// that cannot be deleted.
bool DeleteFilesIn(Platform& platform, std::string_view folder);

}  // namespace lyn
