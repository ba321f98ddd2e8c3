// Designs of controls for the widget tests, in twips.
#pragma once

#include <string>

#include "platform/api/widgets.h"

namespace lyn::sim::testing {

inline ui::ControlDesign Design(const std::string& name, ui::Kind kind, const std::string& caption,
                                int left, int top, int width = 1000, int height = 255,
                                const std::string& container = "") {
  ui::ControlDesign design;
  design.name = name;
  design.kind = kind;
  design.caption = caption;
  design.left = left;
  design.top = top;
  design.width = width;
  design.height = height;
  design.container = container;
  return design;
}

}  // namespace lyn::sim::testing
