// The product's artwork and licence agreement, compiled into the program.
#pragma once

#include "platform/api/widgets.h"

namespace lyn::res {

extern const ui::Picture kWindowIcon;    // 48 x 48, the window's icon
extern const ui::Picture kCornerLeft;    // 48 x 48, Image4
extern const ui::Picture kCornerRight;   // 48 x 48, Image5 and Image6
extern const ui::Picture kMapPanel;      // 210 x 160, Image2
extern const ui::Picture kCatalogPanel;  // 202 x 121, Image1
extern const ui::Picture kBanner;        // Image3, stretched to 265 x 33 pixels
extern const ui::Picture kTick;          // 24 x 24
extern const ui::Picture kCross;         // 24 x 24

// The licence agreement shown in T1, lines ended by CR LF.
extern const char* const kLicenceText;

}  // namespace lyn::res
