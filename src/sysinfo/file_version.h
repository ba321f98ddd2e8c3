// The version information of a file, read through the platform's version
// library and spelled out as texts.
#pragma once

#include <string>
#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// Seven texts, all empty when the file has no readable version information.
struct FileVersionInfo {
  std::string StrucVersion;
  std::string FileVersion;
  std::string ProductVersion;
  std::string FileFlags;
  std::string FileOS;
  std::string FileType;
  std::string FileSubtype;

  bool operator==(const FileVersionInfo&) const = default;
};

// The texts of a fixed version record.
FileVersionInfo DescribeFixedFileInfo(const win::VS_FIXEDFILEINFO& fixed);

// The version information of the file at `path`; the empty record when the
// file is missing, unreadable or carries no version resource.
FileVersionInfo GetFileVersionInformation(Platform& platform, std::string_view path);

}  // namespace lyn
