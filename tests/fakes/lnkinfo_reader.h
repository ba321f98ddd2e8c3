// Reads a shell link file with an independent reader, Debian's lnkinfo.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace lyn::fakes {

// The fields lnkinfo prints ("Local path", "Working directory", ...), by
// label; empty when it cannot read the file.
std::map<std::string, std::string> ReadWithLnkinfo(const std::filesystem::path& file);

// The show command in a shell link file's header (offset 0x3C). Read from
// the bytes: the lnkinfo of Debian 12 prints the target's file size as its
// "Show Window value".
std::int32_t ShowCommandOf(const std::filesystem::path& file);

}  // namespace lyn::fakes
