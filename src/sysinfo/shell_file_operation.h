// Copying and deleting through the shell's file operation, with one request
// record kept for the whole program.
#pragma once

#include <string_view>

#include "common/module_state.h"
#include "platform/api/platform.h"

namespace lyn {

// Runs one shell file operation (win::FO_COPY or win::FO_DELETE) on a single
// source path and, for a copy, a single destination path; a delete passes an
// empty destination. Returns the shell's result unchanged, 0 on success.
int ShellFileOperation(Platform& platform, std::string_view source, std::string_view destination,
                       win::UINT operation);

}  // namespace lyn
