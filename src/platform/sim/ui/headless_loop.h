// The headless message loop. It keeps a virtual clock, so that a run never
// really waits: timers fire at their interval while enabled, the script's
// first click comes two seconds after the window was shown and each later
// one a second after the one before. When the clicks are done it can stay
// in the loop for some real seconds (firing due timers) before the run ends.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/ui/event_loop.h"
#include "platform/sim/ui/widget_set.h"

namespace lyn::sim {

class HeadlessLoop final : public EventLoop, public WidgetObserver {
 public:
  // Ends the process with a reason for the transcript and an exit status;
  // with kRunMisfit the reason is why a scripted step was not played.
  using EndFunction = std::function<void(const std::string& reason, int code)>;

  static constexpr std::int64_t kFirstClickDelay = 2000;
  static constexpr std::int64_t kClickInterval = 1000;

  // The loop must be added to the widgets' observers before any form exists.
  HeadlessLoop(WidgetSet& widgets, const std::vector<std::string>& clicks, int holdSeconds,
               EndFunction end);

  void Run() override;
  void DoEvents() override { FireDueTimers(); }
  std::vector<std::string> ClicksLeft() const override { return {clicks_.begin(), clicks_.end()}; }

  void OnControlAdded(const ControlModel& control) override;
  void OnChanged(const ControlModel& control, Property property) override;

  // Milliseconds of virtual time since the loop was made.
  std::int64_t Now() const { return now_; }

 private:
  struct Timer {
    const ControlModel* control;
    std::optional<std::int64_t> due;
  };

  Timer* NextTimer();
  void Fire(Timer& timer);
  void FireDueTimers();
  void Click(const std::string& name);
  void Hold();

  WidgetSet& widgets_;
  std::deque<std::string> clicks_;
  int holdSeconds_;
  EndFunction end_;
  std::int64_t now_ = 0;
  std::optional<std::int64_t> shownAt_;
  std::vector<Timer> timers_;
};

}  // namespace lyn::sim
