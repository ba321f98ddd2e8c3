// The designed controls of the setup window, in creation order.
#pragma once

#include <vector>

#include "platform/api/widgets.h"

namespace lyn {

// The window itself: its outer size in twips, caption and icon.
ui::ControlDesign FrmSetupFormDesign();
constexpr int kFrmSetupClientWidth = 8100;   // twips: 540 pixels
constexpr int kFrmSetupClientHeight = 5475;  // twips: 365 pixels

// Every control of the licence page and of the progress panel `picInstall`.
std::vector<ui::ControlDesign> FrmSetupControlDesigns();

}  // namespace lyn
