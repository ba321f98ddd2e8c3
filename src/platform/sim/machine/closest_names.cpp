#include "platform/sim/machine/closest_names.h"

#include <algorithm>
#include <cctype>

namespace lyn::sim {

std::size_t FoldedDistance(const std::string& a, const std::string& b) {
  const auto fold = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitution = diagonal + (fold(a[i - 1]) == fold(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::vector<std::string> ClosestNames(const std::string& name,
                                      const std::vector<std::string>& known, std::size_t most) {
  std::vector<std::pair<std::size_t, std::string>> scored;
  for (const std::string& candidate : known) {
    scored.emplace_back(FoldedDistance(name, candidate), candidate);
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const std::size_t bound = std::max<std::size_t>(2, name.size() / 3);
  std::vector<std::string> closest;
  for (const auto& [distance, candidate] : scored) {
    if (distance > bound || distance > scored.front().first || closest.size() == most) break;
    closest.push_back(candidate);
  }
  return closest;
}

}  // namespace lyn::sim
