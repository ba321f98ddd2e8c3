// Whole text files of the machine folder (its profile): read at once, and
// replaced whole and atomically, so that a process reading one never sees
// half of it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lyn::sim {

// The whole file; empty when it does not exist.
std::string ReadTextFile(const std::filesystem::path& file);
// Writes a sibling temporary file and renames it over `file`.
void WriteTextFileAtomically(const std::filesystem::path& file, std::string_view text);

}  // namespace lyn::sim
