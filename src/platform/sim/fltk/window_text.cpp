#include "platform/sim/fltk/window_text.h"

#include <FL/fl_draw.H>

#include <fstream>
#include <stdexcept>

#include "common/caption_words.h"
#include "platform/sim/fltk/control_views.h"
#include "platform/sim/fltk/fonts.h"

namespace lyn::sim::fltk {

std::vector<std::string> LinesOf(const ControlModel& label) {
  const ui::Font& font = label.State().font;
  fl_font(FaceOf(font), PixelSizeOf(font));
  const int width = PixelsOf(label).w;
  // The text grows a word at a time; a word that makes it taller starts a
  // line, as the label's own wrapping breaks it.
  std::vector<std::string> lines;
  std::string prefix;
  int height = 0;
  for (const std::string& word : CaptionWords(label.Caption())) {
    prefix += word;
    int w = width;
    int h = 0;
    fl_measure(LabelText(prefix).c_str(), w, h, 1);
    if (lines.empty() || h > height) {
      lines.push_back(word);
    } else {
      lines.back() += word;
    }
    height = h;
  }
  return lines;
}

void WriteWindowText(const FormModel& form, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& control : form.Controls()) {
    if (!control->SeenByPerson()) continue;
    const PixelRect r = PixelsOf(*control);
    out << "in view: " << control->Name() << " " << r.x << " " << r.y << " " << r.w << " " << r.h
        << "\n";
  }
  for (const auto& control : form.Controls()) {
    if (control->Kind() != ui::Kind::Label || !control->SeenByPerson()) continue;
    out << "lines: " << control->Name();
    for (const std::string& line : LinesOf(*control)) out << " \"" << line << "\"";
    out << "\n";
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace lyn::sim::fltk
