// Copying and deleting through the shell's file operation, with one request
// record kept for the whole program.
#pragma once

#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// Selects the flags of the next file operations: off, every confirmation is
// answered yes (an existing destination is overwritten); on, the shell may
// undo the operation instead. Off when the program starts.
extern bool AllowUndo;

// Runs one shell file operation (win::FO_COPY or win::FO_DELETE) on a single
// source path and, for a copy, a single destination path; a delete passes an
// empty destination. Returns the shell's result unchanged, 0 on success.
int ShellFileOperation(Platform& platform, std::string_view source, std::string_view destination,
                       win::UINT operation);

}  // namespace lyn
