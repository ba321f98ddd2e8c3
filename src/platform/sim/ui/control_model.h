// One control of the headless widget set: its whole designed state, kept as
// the program changes it, with the window system's behaviour for clicks,
// option groups, containers and timers.
#pragma once

#include <functional>
#include <string>

#include "platform/api/widgets.h"
#include "platform/sim/ui/widget_observer.h"

namespace lyn::sim {

class FormModel;
class SurfaceModel;

// A rectangle in twips, relative to the form's client area.
struct TwipRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

class ControlModel : public virtual ui::Control {
 public:
  // container is null for a form; form is the form the control belongs to
  // (the form itself for a form).
  ControlModel(const ui::ControlDesign& design, SurfaceModel* container, FormModel& form,
               WidgetObserver& events);
  ControlModel(const ControlModel&) = delete;
  ControlModel& operator=(const ControlModel&) = delete;

  const std::string& Name() const override { return state_.name; }
  std::string Caption() const override { return state_.caption; }
  void SetCaption(const std::string& caption) override;
  bool Enabled() const override { return state_.enabled; }
  void SetEnabled(bool enabled) override;
  bool Visible() const override { return state_.visible; }
  void SetVisible(bool visible) override;
  bool Value() const override { return state_.value; }
  void SetValue(bool selected) override;
  void Move(int left, int top, int width, int height) override;
  int Left() const override;
  int Top() const override;
  int Width() const override;
  int Height() const override;
  void SetContainer(ui::Control& pictureBox) override;
  void SetHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  // The current state; positions and sizes in twips, relative to the
  // container's client area.
  const ui::ControlDesign& State() const { return state_; }
  ui::Kind Kind() const { return state_.kind; }
  SurfaceModel* Container() const { return container_; }
  FormModel& Form() const { return form_; }

  // The control's rectangle in the form's client area, cut by every
  // container around it. Empty when it is hidden, inside a hidden container
  // or outside the visible area.
  virtual TwipRect VisibleArea() const;
  // Some of its visible area is not covered by a control above it.
  bool SeenByPerson() const;
  // Seen and enabled, in enabled containers.
  bool Clickable() const;
  // Its place among the controls of its container: a higher one is drawn
  // over a lower one. A control gets the highest place when it is made and
  // when it moves into another container.
  int ZOrder() const { return zOrder_; }

  // A person's click. Ignored when the control is not clickable; an option
  // button becomes selected.
  void Click();
  // A timer's interval has passed: raises its handler while it is enabled.
  void Tick();

 protected:
  void Notify(Property property) { events_.OnChanged(*this, property); }
  void RaiseHandler();
  // The control's rectangle in the form's client area, in twips.
  TwipRect Rect() const;

  ui::ControlDesign state_;

 private:
  friend class FormModel;

  SurfaceModel* container_;
  int zOrder_ = 0;
  FormModel& form_;
  WidgetObserver& events_;
  std::function<void()> handler_;
};

}  // namespace lyn::sim
