// PaintGradient: the diagonal two-colour background of the setup window and
// of its progress panel.
#pragma once

#include <string>

#include "common/boolean16.h"
#include "platform/api/widgets.h"

namespace lyn {

// Shades the form (useForm true) or the picture box from startColour at the
// top-left corner towards endColour at the far corner. The colours are six
// hexadecimal digits, two each for red, green and blue; width and height are
// in the target's current scale units, pixels in both of the program's uses.
void PaintGradient(Boolean16 useForm, float width, float height, const std::string& startColour,
                   const std::string& endColour, ui::Surface* form, ui::Surface* pictureBox);

}  // namespace lyn
