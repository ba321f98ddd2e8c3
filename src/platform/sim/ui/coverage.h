// What covers what on a form, as the window system decides it: a control is
// drawn over its container and over the siblings below it in z-order (those
// made or moved into the container before it), and a point of the form
// belongs to the topmost visible control there, or to the innermost picture
// box that holds the point.
#pragma once

#include <vector>

#include "platform/sim/ui/control_model.h"

namespace lyn::sim {

// The parts of the control's visible area that no control above it covers,
// in twips of the form's client area; empty when a person cannot see it.
std::vector<TwipRect> UncoveredArea(const ControlModel& control);

// The control a click at the point (twips of the form's client area) lands
// on: the form itself where no control is, null outside the form or while
// it is hidden.
const ControlModel* ControlAt(const FormModel& form, int x, int y);

}  // namespace lyn::sim
