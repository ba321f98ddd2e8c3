// One sequence of kernel32 file calls and shell file operations, written once
// against the seam and run both on the emulated machine and, built for
// Windows, under Wine: files opened with each share mode meet the opens,
// deletions, moves and copies that those modes allow or refuse. Each line
// it returns is one call's result and last error.
#pragma once

#include <string>

#include "platform/api/kernel32.h"
#include "platform/api/shell32.h"

namespace lyn::differential {

// Works in the folder `root` ("C:\lyn-files"), which it makes and removes.
std::string RunFileSequence(win::Kernel32& kernel32, win::Shell32& shell32,
                            const std::string& root);

}  // namespace lyn::differential
