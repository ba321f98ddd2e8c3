// The version rule: only the major and minor numbers of two version texts
// take part in the comparison.
#pragma once

#include <string>

namespace lyn {

// True when `shipped` is newer than `present` by major, then minor number.
// Sets the row's PresentVersionText and ShippedVersionText to "major.minor".
// A part that is not a number counts as 0, a text without a dot as 0.0. A
// number too large for a signed 32-bit integer, or a row outside the
// manifest, answers false and leaves texts not yet written as they were.
bool CompareVersions(const std::string& present, const std::string& shipped, int index);

}  // namespace lyn
