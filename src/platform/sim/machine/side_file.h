// The machine's own bookkeeping files (attributes, in-use marks, the windows
// of each process): small text files, always replaced whole and atomically,
// so that a process reading one never sees half of it.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace lyn::sim {

// The whole file; empty when it does not exist.
std::string ReadTextFile(const std::filesystem::path& file);
// Writes a sibling temporary file and renames it over `file`.
void WriteTextFileAtomically(const std::filesystem::path& file, std::string_view text);

// A table of "key<TAB>value" lines. Keys and values hold no tab or line end.
using SideTable = std::map<std::string, std::string>;
SideTable ReadSideTable(const std::filesystem::path& file);
void WriteSideTable(const std::filesystem::path& file, const SideTable& table);

}  // namespace lyn::sim
