// What a person sees of the window, as text written beside a screenshot:
// each control in view with its place in the client area, in pixels, and
// what each label in view reads, its caption as the window breaks it into
// lines (a line keeps the spaces that end it):
//
//   in view: NAME X Y WIDTH HEIGHT
//   lines: NAME "first line " "second line"
//
// The driver of the real window writes the same lines under Wine, so that
// the two can be compared.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/ui/form_model.h"

namespace lyn::sim::fltk {

// The lines the label's view shows its caption in, at its width and font.
std::vector<std::string> LinesOf(const ControlModel& label);

// Writes the lines of what a person sees of the form to `path`. Throws
// std::runtime_error when the file cannot be written.
void WriteWindowText(const FormModel& form, const std::string& path);

}  // namespace lyn::sim::fltk
