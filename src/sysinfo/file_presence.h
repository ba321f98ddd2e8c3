// Whether a file is present, as a directory search for normal files sees it.
#pragma once

#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// True when a directory search for the path finds an entry that is a normal
// file: directories and files marked hidden or system do not count;
// read-only and archive files do.
bool FileExists(Platform& platform, std::string_view path);

}  // namespace lyn
