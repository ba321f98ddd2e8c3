// Windows paths of the machine taken apart: a drive letter and the names
// below its root, with "." and ".." already folded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lyn::sim {

struct WindowsPath {
  char drive = 'C';  // upper case
  std::vector<std::string> components;

  // "C:\Windows\system32"; the root alone is "C:\".
  std::string Text() const;
};

// Parses a path with `\` (or `/`) separators: "C:\a\b", "\a" (the current
// drive's root), "C:a" and "a\b" (relative to `current`, or an error when
// `current` is null). ".." above a drive root stays at the root, as on
// Windows. Throws MachineError for an empty path, a host path ("/etc"), a
// network or device path ("\\server\share", "\\?\C:\"), a name holding a
// character Windows refuses in file names, a name longer than 255 characters,
// or a reserved device name ("NUL", "com1.txt"). The dots and blanks that end
// the last name, and a single period ending any other, are dropped, as
// Windows drops them.
WindowsPath ParseWindowsPath(std::string_view path, const WindowsPath* current);

// True when `path` is `folder` or lies below it, names compared as Windows
// compares them.
bool IsAtOrBelow(const WindowsPath& path, const WindowsPath& folder);

}  // namespace lyn::sim
