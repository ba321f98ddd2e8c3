// Windows paths as the uninstaller compares them: names without regard to
// the case of their ASCII letters, "\" between names.
#pragma once

#include <string>
#include <string_view>

namespace lyn::uninstall {

bool SameName(std::string_view a, std::string_view b);

// "X:\name\name...": a drive, then names that are neither empty, "." nor
// "..", hold no character Windows refuses in a name, and no trailing "\".
bool IsAbsolutePath(std::string_view path);

// The name of `path` when it is `folder`, "\" and a name; empty otherwise.
// Only the text is compared: a folder the shell could not give ("NO")
// matches as the setup program wrote it.
std::string_view ChildName(std::string_view path, std::string_view folder);

// The text after the last "\".
std::string_view LastName(std::string_view path);

// `folder` and `name` joined by "\".
std::string InFolder(std::string_view folder, std::string_view name);

// Whether `path` lies somewhere below `folder`.
bool IsBelow(std::string_view path, std::string_view folder);

}  // namespace lyn::uninstall
