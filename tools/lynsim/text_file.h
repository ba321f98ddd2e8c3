// Whole files read and written as bytes, for the records lynsim keeps on
// the host.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lyn::lynsim {

// The file's bytes, or nothing when it cannot be read (it is not there).
std::optional<std::string> ReadTextFile(const std::filesystem::path& file);

// Replaces the file with `text`; throws std::runtime_error when it cannot.
void WriteTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace lyn::lynsim
