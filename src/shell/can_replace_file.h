// The setup window's decision before the install run copies a file over an
// existing one in the system or DAO folder.
#pragma once

#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// True when the copy to `path` may go ahead: the file is absent, security is
// not enabled, the user may write it, or its owner is not the system's
// installer service. Each answer is explained by an install-information log
// entry.
bool CanReplaceFile(Platform& platform, std::string_view path);

}  // namespace lyn
