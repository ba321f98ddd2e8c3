// A text in double quotes as the transcripts print it. Header-only: the
// emulated machine's transcript and the automation driver that writes Wine's
// must quote alike for the two to be compared.
#pragma once

#include <string>
#include <string_view>

namespace lyn {

// Quotes become \", CR \r and LF \n. With `lineBreaks` a line break (CR LF,
// or LF) ends the line instead and the text goes on after two blanks, as a
// message box is printed.
inline std::string Quoted(std::string_view text, bool lineBreaks = false) {
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool lineEnd = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
    if (lineBreaks && lineEnd) {
      if (c == '\r') ++i;
      quoted += "\n  ";
    } else if (c == '"') {
      quoted += "\\\"";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace lyn
