// The form's keyboard: focus moves and presses by key.
#include <algorithm>

#include "platform/sim/ui/form_model.h"

namespace lyn::sim {

std::vector<ControlModel*> FormModel::TabStops() const {
  // Of a group of option buttons only the selected one is a tab stop, as in
  // a dialog: the arrows move within the group.
  const auto otherSelected = [this](const ControlModel& option) {
    return std::any_of(controls_.begin(), controls_.end(), [&](const auto& other) {
      return other.get() != &option && other->Kind() == ui::Kind::OptionButton &&
             other->Container() == option.Container() && other->Value();
    });
  };
  std::vector<ControlModel*> stops;
  for (const auto& control : controls_) {
    if (control->State().tabIndex < 0) continue;
    if (control->Kind() == ui::Kind::OptionButton && !control->Value() && otherSelected(*control)) {
      continue;
    }
    stops.push_back(control.get());
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlModel* a, const ControlModel* b) {
    return a->State().tabIndex < b->State().tabIndex;
  });
  return stops;
}

ControlModel* FormModel::Next(const std::vector<ControlModel*>& candidates, bool forward) const {
  const auto count = static_cast<long>(candidates.size());
  const long at = std::find(candidates.begin(), candidates.end(), focus_) - candidates.begin();
  // Without the focus among them, forward starts at the first and back at
  // the last.
  const long start = at < count ? at : (forward ? -1 : count);
  for (long step = 1; step <= count; ++step) {
    const long i = ((start + (forward ? step : -step)) % count + count) % count;
    if (candidates[static_cast<std::size_t>(i)]->Clickable()) {
      return candidates[static_cast<std::size_t>(i)];
    }
  }
  return nullptr;
}

void FormModel::PressKey(Key key) {
  switch (key) {
    case Key::Tab:
    case Key::BackTab:
      if (ControlModel* next = Next(TabStops(), key == Key::Tab)) focus_ = next;
      return;
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down: {
      if (focus_ == nullptr || focus_->Kind() != ui::Kind::OptionButton) return;
      std::vector<ControlModel*> group;
      for (const auto& control : controls_) {
        if (control->Kind() == ui::Kind::OptionButton && control->State().tabIndex >= 0 &&
            control->Container() == focus_->Container()) {
          group.push_back(control.get());
        }
      }
      std::stable_sort(group.begin(), group.end(), [](const auto* a, const auto* b) {
        return a->State().tabIndex < b->State().tabIndex;
      });
      ControlModel* next = Next(group, key == Key::Right || key == Key::Down);
      if (next == nullptr) return;
      focus_ = next;
      next->Click();
      return;
    }
    case Key::Space:
      if (focus_ != nullptr && focus_->Clickable()) focus_->Click();
      return;
  }
}

}  // namespace lyn::sim
