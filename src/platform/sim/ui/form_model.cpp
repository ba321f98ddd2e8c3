#include "platform/sim/ui/form_model.h"

#include <stdexcept>

namespace lyn::sim {

FormModel::FormModel(const ui::ControlDesign& design, int clientWidth, int clientHeight,
                     WidgetObserver& events, TopLevelWindows& windows)
    : SurfaceModel(design, nullptr, *this, events, clientWidth, clientHeight),
      events_(events),
      windows_(windows),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      window_(windows.Add(kFormClassName, design.caption, false)) {
  state_.visible = false;
}

ui::Control& FormModel::Add(const ui::ControlDesign& design) {
  if (design.kind == ui::Kind::PictureBox) return AddPictureBox(design);
  if (design.kind == ui::Kind::Form) throw std::invalid_argument("a form cannot hold a form");
  return Insert(std::make_unique<ControlModel>(design, &ContainerFor(design), *this, events_));
}

ui::Surface& FormModel::AddPictureBox(const ui::ControlDesign& design) {
  if (design.kind != ui::Kind::PictureBox) {
    throw std::invalid_argument(design.name + " is not designed as a picture box");
  }
  auto box = std::make_unique<SurfaceModel>(design, &ContainerFor(design), *this, events_,
                                            design.width, design.height);
  return static_cast<SurfaceModel&>(Insert(std::move(box)));
}

SurfaceModel& FormModel::ContainerFor(const ui::ControlDesign& design) {
  if (design.container.empty()) return *this;
  auto* container = dynamic_cast<SurfaceModel*>(Find(design.container));
  if (container == nullptr || container->Kind() != ui::Kind::PictureBox) {
    throw std::invalid_argument(design.name + ": no picture box named " + design.container);
  }
  return *container;
}

ControlModel& FormModel::Insert(std::unique_ptr<ControlModel> control) {
  if (Find(control->Name()) != nullptr) {
    throw std::invalid_argument("two controls named " + control->Name());
  }
  BringToTop(*control);
  controls_.push_back(std::move(control));
  events_.OnControlAdded(*controls_.back());
  return *controls_.back();
}

ControlModel* FormModel::Find(const std::string& name) {
  if (name == Name()) return this;
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

void FormModel::SetCaption(const std::string& caption) {
  if (caption == Caption()) return;
  windows_.SetCaption(window_, caption);
  ControlModel::SetCaption(caption);
}

void FormModel::SetVisible(bool visible) {
  if (visible == Visible()) return;
  windows_.SetVisible(window_, visible);
  state_.visible = visible;
  if (visible && !shownOnce_) {
    shownOnce_ = true;
    focus_ = Next(TabStops(), true);
  }
  Notify(Property::Visible);
}

void FormModel::SetTopmost() {
  if (topmost_) return;
  topmost_ = true;
  Notify(Property::Topmost);
}

void FormModel::Close() {
  if (closed_) return;
  closed_ = true;
  windows_.Remove(window_);
  events_.OnClosed(*this);
}

}  // namespace lyn::sim
