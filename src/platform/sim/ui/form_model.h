// A form of the headless widget set: the top-level window of the machine's
// desktop, the owner of its controls in design order, and a drawing surface
// with a fixed client area.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/ui/keyboard.h"
#include "platform/sim/ui/surface_model.h"
#include "platform/sim/ui/top_level_windows.h"

namespace lyn::sim {

// The window class of the program's forms.
inline constexpr const char* kFormClassName = "LYNSetupForm";

class FormModel final : public SurfaceModel, public ui::Form {
 public:
  // Registers the window, hidden, on the desktop. Client size in twips.
  FormModel(const ui::ControlDesign& design, int clientWidth, int clientHeight,
            WidgetObserver& events, TopLevelWindows& windows);

  win::HWND hWnd() const override { return window_; }
  void Show() override { SetVisible(true); }
  ui::Control& Add(const ui::ControlDesign& design) override;
  ui::Surface& AddPictureBox(const ui::ControlDesign& design) override;
  void SetCaption(const std::string& caption) override;
  void SetVisible(bool visible) override;

  // The controls in the order they were added, picture boxes included.
  const std::vector<std::unique_ptr<ControlModel>>& Controls() const { return controls_; }
  // The form itself or one of its controls; null when none has that name.
  ControlModel* Find(const std::string& name);

  TwipRect ClientRect() const override { return {0, 0, clientWidth_, clientHeight_}; }
  TwipRect VisibleArea() const override { return Visible() ? ClientRect() : TwipRect{}; }

  // Gives the control the highest place in its container's z-order.
  void BringToTop(ControlModel& control) { control.zOrder_ = ++lastZOrder_; }

  // The control with the keyboard focus; null when none has it. The first
  // show gives it to the first control of the tab order a person can press.
  const ControlModel* Focus() const { return focus_; }
  void SetFocus(ControlModel* control) { focus_ = control; }
  // A key pressed while the form is active. Tab and Shift+Tab move the focus
  // through the tab order, arrows move it through the option buttons of the
  // focused one's container and select the one reached, Space presses the
  // focused control. Only controls a person can see and press take the focus
  // or a press, so nothing covered or disabled can be reached.
  void PressKey(Key key);

  bool Topmost() const { return topmost_; }
  void SetTopmost();

  // The person closed the window: it leaves the desktop.
  void Close();
  bool Closed() const { return closed_; }

  // The control whose click handler runs at the moment, innermost first;
  // null when none runs.
  const ControlModel* RunningClick() const {
    return runningClicks_.empty() ? nullptr : runningClicks_.back();
  }
  // Marks a click handler as running for its lifetime.
  class ClickScope {
   public:
    ClickScope(FormModel& form, const ControlModel& control) : form_(form) {
      form_.runningClicks_.push_back(&control);
    }
    ~ClickScope() { form_.runningClicks_.pop_back(); }
    ClickScope(const ClickScope&) = delete;
    ClickScope& operator=(const ClickScope&) = delete;

   private:
    FormModel& form_;
  };

 private:
  ControlModel& Insert(std::unique_ptr<ControlModel> control);
  // The controls that take the focus, in tab order.
  std::vector<ControlModel*> TabStops() const;
  // The next (or previous) of `candidates` after the focus that a person can
  // press, wrapping around; null when there is none.
  ControlModel* Next(const std::vector<ControlModel*>& candidates, bool forward) const;
  SurfaceModel& ContainerFor(const ui::ControlDesign& design);

  WidgetObserver& events_;
  TopLevelWindows& windows_;
  int clientWidth_;
  int clientHeight_;
  win::HWND window_;
  int lastZOrder_ = 0;
  ControlModel* focus_ = nullptr;
  bool shownOnce_ = false;
  bool topmost_ = false;
  bool closed_ = false;
  std::vector<std::unique_ptr<ControlModel>> controls_;
  std::vector<const ControlModel*> runningClicks_;
};

}  // namespace lyn::sim
