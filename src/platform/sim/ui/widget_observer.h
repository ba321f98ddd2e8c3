// What a window backend or a recorder learns about the widget model: every
// change of a control's state, each click a person makes, and the closing of
// a form. The FLTK window mirrors the model through it, and the transcript
// writes what a person would see.
#pragma once

#include <vector>

namespace lyn::sim {

class ControlModel;
class FormModel;

enum class Property {
  Caption,
  Enabled,
  Visible,
  Value,
  Geometry,
  Container,
  ScaleMode,
  Image,  // a refresh shows the back image as it is now
  Topmost,
};

class WidgetObserver {
 public:
  virtual ~WidgetObserver() = default;

  // A control (or a form) was created.
  virtual void OnControlAdded(const ControlModel&) {}
  virtual void OnChanged(const ControlModel&, Property) {}
  // A person clicked the control; whether it reacts depends on its state.
  virtual void OnClicked(const ControlModel&) {}
  virtual void OnClosed(const FormModel&) {}
};

// Passes every notification on to the observers, in the order they were
// added.
class ObserverList final : public WidgetObserver {
 public:
  void Add(WidgetObserver& observer) { observers_.push_back(&observer); }

  void OnControlAdded(const ControlModel& control) override {
    for (auto* o : observers_) o->OnControlAdded(control);
  }
  void OnChanged(const ControlModel& control, Property property) override {
    for (auto* o : observers_) o->OnChanged(control, property);
  }
  void OnClicked(const ControlModel& control) override {
    for (auto* o : observers_) o->OnClicked(control);
  }
  void OnClosed(const FormModel& form) override {
    for (auto* o : observers_) o->OnClosed(form);
  }

 private:
  std::vector<WidgetObserver*> observers_;
};

}  // namespace lyn::sim
