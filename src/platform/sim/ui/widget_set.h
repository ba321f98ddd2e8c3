// The headless widget set: the forms the program creates, the observers that
// follow them, and the message loop of the chosen backend.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/api/widgets.h"
#include "platform/sim/ui/event_loop.h"
#include "platform/sim/ui/form_model.h"
#include "platform/sim/ui/top_level_windows.h"
#include "platform/sim/ui/widget_observer.h"

namespace lyn::sim {

class WidgetSet final : public ui::Widgets {
 public:
  explicit WidgetSet(TopLevelWindows& windows) : windows_(windows) {}

  // Observers hear of every change from here on, in the order added.
  void AddObserver(WidgetObserver& observer) { observers_.Add(observer); }
  void SetEventLoop(EventLoop& loop) { loop_ = &loop; }

  ui::Form& CreateForm(const ui::ControlDesign& design, int clientWidth, int clientHeight) override;
  void RunMessageLoop() override;
  void DoEvents() override;
  void SetMousePointer(int pointer) override { mousePointers_.push_back(pointer); }

  const std::vector<std::unique_ptr<FormModel>>& Forms() const { return forms_; }
  // A form or a control of any form by name; null when there is none.
  ControlModel* Find(const std::string& name) const;
  FormModel* FindForm(win::HWND window) const;
  bool HasOpenForms() const;
  // The control whose click handler runs at the moment; null when none.
  const ControlModel* RunningClick() const;
  // Every mouse pointer the program set, in order; the last one shows.
  const std::vector<int>& MousePointers() const { return mousePointers_; }
  // The message loop set; throws when none is.
  EventLoop& Loop() const;

 private:
  TopLevelWindows& windows_;
  ObserverList observers_;
  EventLoop* loop_ = nullptr;
  std::vector<std::unique_ptr<FormModel>> forms_;
  std::vector<int> mousePointers_;
};

}  // namespace lyn::sim
