// The keys a person uses to move through the window and press its controls.
#pragma once

namespace lyn::sim {

enum class Key { Tab, BackTab, Left, Right, Up, Down, Space };

}  // namespace lyn::sim
