#include "platform/sim/ui/control_model.h"

#include <algorithm>
#include <stdexcept>

#include "platform/sim/ui/coverage.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/surface_model.h"

namespace lyn::sim {

namespace {

TwipRect Intersect(const TwipRect& a, const TwipRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool IsInside(const ControlModel& control, const ControlModel& ancestor) {
  for (const ControlModel* c = &control; c != nullptr; c = c->Container()) {
    if (c == &ancestor) return true;
  }
  return false;
}

}  // namespace

ControlModel::ControlModel(const ui::ControlDesign& design, SurfaceModel* container,
                           FormModel& form, WidgetObserver& events)
    : state_(design), container_(container), form_(form), events_(events) {}

void ControlModel::SetCaption(const std::string& caption) {
  if (caption == state_.caption) return;
  state_.caption = caption;
  Notify(Property::Caption);
}

void ControlModel::SetEnabled(bool enabled) {
  if (enabled == state_.enabled) return;
  state_.enabled = enabled;
  // A control that cannot be used loses the focus, as it does on Windows.
  if (!enabled && form_.Focus() == this) form_.SetFocus(nullptr);
  Notify(Property::Enabled);
}

void ControlModel::SetVisible(bool visible) {
  if (visible == state_.visible) return;
  state_.visible = visible;
  if (!visible && form_.Focus() == this) form_.SetFocus(nullptr);
  Notify(Property::Visible);
}

void ControlModel::SetValue(bool selected) {
  if (Kind() != ui::Kind::OptionButton) {
    throw std::logic_error(Name() + " is not an option button");
  }
  if (selected == state_.value) return;
  if (selected) {
    for (const auto& other : form_.Controls()) {
      if (other.get() != this && other->Kind() == ui::Kind::OptionButton &&
          other->Container() == container_ && other->Value()) {
        other->state_.value = false;
        other->Notify(Property::Value);
      }
    }
  }
  state_.value = selected;
  Notify(Property::Value);
  if (selected) RaiseHandler();
}

void ControlModel::Move(int left, int top, int width, int height) {
  const auto twips = [this](int units) { return container_ ? container_->ToTwips(units) : units; };
  state_.left = twips(left);
  state_.top = twips(top);
  state_.width = twips(width);
  state_.height = twips(height);
  Notify(Property::Geometry);
}

int ControlModel::Left() const {
  return container_ ? container_->FromTwips(state_.left) : state_.left;
}
int ControlModel::Top() const {
  return container_ ? container_->FromTwips(state_.top) : state_.top;
}
int ControlModel::Width() const {
  return container_ ? container_->FromTwips(state_.width) : state_.width;
}
int ControlModel::Height() const {
  return container_ ? container_->FromTwips(state_.height) : state_.height;
}

void ControlModel::SetContainer(ui::Control& pictureBox) {
  auto* target = dynamic_cast<SurfaceModel*>(&pictureBox);
  if (container_ == nullptr || target == nullptr || target->Kind() != ui::Kind::PictureBox ||
      &target->Form() != &form_ || IsInside(*target, *this)) {
    throw std::logic_error(Name() + " cannot be placed in " + pictureBox.Name());
  }
  container_ = target;
  state_.container = target->Name();
  form_.BringToTop(*this);
  Notify(Property::Container);
}

TwipRect ControlModel::Rect() const {
  const TwipRect origin = container_->ClientRect();
  const int left = origin.left + state_.left;
  const int top = origin.top + state_.top;
  // A control without a size still occupies its corner point.
  return {left, top, left + std::max(state_.width, 1), top + std::max(state_.height, 1)};
}

TwipRect ControlModel::VisibleArea() const {
  if (!state_.visible || Kind() == ui::Kind::Timer) return {};
  return Intersect(Rect(), container_->VisibleArea());
}

bool ControlModel::SeenByPerson() const {
  return !UncoveredArea(*this).empty();
}

bool ControlModel::Clickable() const {
  if (!SeenByPerson()) return false;
  for (const ControlModel* c = this; c != nullptr; c = c->Container()) {
    if (!c->Enabled()) return false;
  }
  return true;
}

void ControlModel::Click() {
  events_.OnClicked(*this);
  if (!Clickable()) return;
  const FormModel::ClickScope scope(form_, *this);
  if (Kind() == ui::Kind::OptionButton) {
    SetValue(true);
  } else {
    RaiseHandler();
  }
}

void ControlModel::Tick() {
  if (Kind() == ui::Kind::Timer && state_.enabled) RaiseHandler();
}

void ControlModel::RaiseHandler() {
  // A copy: the handler may replace itself while it runs.
  const auto handler = handler_;
  if (handler) handler();
}

}  // namespace lyn::sim
