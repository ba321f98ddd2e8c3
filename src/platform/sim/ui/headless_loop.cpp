#include "platform/sim/ui/headless_loop.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/sim/ui/script.h"

namespace lyn::sim {

HeadlessLoop::HeadlessLoop(WidgetSet& widgets, const std::vector<std::string>& clicks,
                           int holdSeconds, EndFunction end)
    : widgets_(widgets),
      clicks_(clicks.begin(), clicks.end()),
      holdSeconds_(holdSeconds),
      end_(std::move(end)) {}

void HeadlessLoop::OnControlAdded(const ControlModel& control) {
  if (control.Kind() != ui::Kind::Timer) return;
  timers_.push_back({&control, std::nullopt});
  OnChanged(control, Property::Enabled);
}

void HeadlessLoop::OnChanged(const ControlModel& control, Property property) {
  if (property == Property::Visible && &control == &control.Form() && control.Visible()) {
    if (!shownAt_) shownAt_ = now_;
    return;
  }
  if (property != Property::Enabled || control.Kind() != ui::Kind::Timer) return;
  for (auto& timer : timers_) {
    if (timer.control != &control) continue;
    const int interval = control.State().interval;
    timer.due = control.Enabled() && interval > 0 ? std::optional(now_ + interval) : std::nullopt;
  }
}

HeadlessLoop::Timer* HeadlessLoop::NextTimer() {
  Timer* next = nullptr;
  for (auto& timer : timers_) {
    if (timer.due && (next == nullptr || *timer.due < *next->due)) next = &timer;
  }
  return next;
}

void HeadlessLoop::Fire(Timer& timer) {
  // Rescheduled first: the handler may switch the timer off or pump messages.
  timer.due = now_ + timer.control->State().interval;
  widgets_.Find(timer.control->Name())->Tick();
}

void HeadlessLoop::FireDueTimers() {
  for (Timer* timer = NextTimer(); timer != nullptr && *timer->due <= now_; timer = NextTimer()) {
    Fire(*timer);
  }
}

void HeadlessLoop::Run() {
  std::int64_t nextClick = shownAt_.value_or(now_) + kFirstClickDelay;
  while (widgets_.HasOpenForms()) {
    if (Timer* timer = NextTimer(); timer != nullptr && *timer->due <= nextClick) {
      now_ = *timer->due;
      Fire(*timer);
      continue;
    }
    now_ = nextClick;
    if (clicks_.empty()) {
      Hold();
      end_("script done", 0);
      return;
    }
    const std::string name = clicks_.front();
    clicks_.pop_front();
    Click(name);
    nextClick = now_ + kClickInterval;
  }
}

void HeadlessLoop::Click(const std::string& name) {
  ControlModel* control = widgets_.Find(name);
  if (const auto refused = RefusedClick(control, name)) {
    end_(*refused, kRunMisfit);
    return;
  }
  control->Click();
}

void HeadlessLoop::Hold() {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto end = start + std::chrono::seconds(holdSeconds_);
  const std::int64_t base = now_;
  while (true) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    now_ = base + elapsed.count();
    FireDueTimers();
    if (Clock::now() >= end) return;
    auto wake = end;
    if (const Timer* timer = NextTimer()) {
      wake = std::min(wake, start + std::chrono::milliseconds(*timer->due - base));
    }
    std::this_thread::sleep_until(wake);
  }
}

}  // namespace lyn::sim
