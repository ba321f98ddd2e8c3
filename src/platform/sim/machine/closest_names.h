// Suggestions for a mistyped name: the known names a slip of a few letters
// away, by the edit distance with letters compared without case.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lyn::sim {

// The Levenshtein distance between two names, letters compared without case.
std::size_t FoldedDistance(const std::string& a, const std::string& b);

// The names nearest to `name`, in the order given: at most `most`, all at the
// smallest distance, none further than max(2, a third of the name's length).
std::vector<std::string> ClosestNames(const std::string& name,
                                      const std::vector<std::string>& known, std::size_t most);

}  // namespace lyn::sim
