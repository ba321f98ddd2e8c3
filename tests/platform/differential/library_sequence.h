// One sequence of library and thread calls, written once against the seam
// and run both on the emulated machine and, built for Windows, under Wine:
// each line it returns is one call's result and the last error of a failed
// call. Module and thread handles are not printed, only whether they are
// there, as their values are the platform's own.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/api/kernel32_library.h"

namespace lyn::differential {

// The libraries the sequence loads, each under a label that names it in the
// lines: the same roles on both platforms, whatever their paths.
using Libraries = std::vector<std::pair<std::string, std::string>>;

std::string RunLibrarySequence(win::Kernel32Library& library,
                               const std::function<win::DWORD()>& lastError,
                               const Libraries& libraries);

}  // namespace lyn::differential
