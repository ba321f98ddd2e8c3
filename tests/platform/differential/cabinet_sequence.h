// Walks of the cabinet iteration service, written once against the seam and
// run both on the emulated machine and, built for Windows, under Wine: every
// notification with what it carried, every answer, and each walk's result
// and last error, one line each.
#pragma once

#include <string>

#include "platform/api/kernel32.h"
#include "platform/api/setupapi.h"

namespace lyn::differential {

// The folder holding the cabinets; the walks write into its "out" folder,
// which must exist beforehand.
inline constexpr const char* kCabinetFolder = "C:\\lyn-cab\\";

// The cabinets walked, by name in kCabinetFolder. "missing.cab" is never
// made.
inline constexpr const char* kCabinets[] = {"several.cab",   "folders.cab", "empty.cab",
                                            "truncated.cab", "corrupt.cab", "not-a-cabinet.cab",
                                            "missing.cab"};

std::string RunCabinetSequence(win::SetupApi& setupapi, win::Kernel32& kernel32);

}  // namespace lyn::differential
