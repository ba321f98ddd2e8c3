// The words a label's caption wraps at: each word keeps the spaces after it,
// as Windows breaks a label's text. Header-only: the emulated window lays its
// labels out with it and the automation driver reads Wine's lines with it.
#pragma once

#include <string>
#include <vector>

namespace lyn {

inline std::vector<std::string> CaptionWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t i = 0; i < text.size(); ++i) {
    word += text[i];
    if (text[i] == ' ' && (i + 1 == text.size() || text[i + 1] != ' ')) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

}  // namespace lyn
