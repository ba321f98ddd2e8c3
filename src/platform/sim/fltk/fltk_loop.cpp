#include "platform/sim/fltk/fltk_loop.h"

#include <FL/Fl.H>

#include <exception>
#include <iostream>
#include <stdexcept>

#include "platform/sim/fltk/screenshot.h"
#include "platform/sim/ui/script.h"

namespace lyn::sim::fltk {
namespace {

constexpr double kMillisecondsPerSecond = 1000.0;

}  // namespace

FltkLoop::FltkLoop(WidgetSet& widgets, const WindowMirror& mirror, const LoopScript& script,
                   HeadlessLoop::EndFunction end)
    : widgets_(widgets),
      mirror_(mirror),
      script_(script),
      clicks_(script.clicks.begin(), script.clicks.end()),
      end_(std::move(end)) {}

FltkLoop::~FltkLoop() {
  for (auto& timer : timers_) Fl::remove_timeout(&FltkLoop::OnTimer, &timer);
  Fl::remove_timeout(&FltkLoop::OnScriptStep, this);
  Fl::remove_timeout(&FltkLoop::OnScriptDone, this);
}

void FltkLoop::OnControlAdded(const ControlModel& control) {
  if (control.Kind() != ui::Kind::Timer) return;
  timers_.push_back({this, &control});
  Schedule(timers_.back());
}

void FltkLoop::OnChanged(const ControlModel& control, Property property) {
  if (property == Property::Visible && &control == &control.Form() && control.Visible()) {
    if (!shown_ && script_.scripted) {
      Fl::add_timeout(HeadlessLoop::kFirstClickDelay / kMillisecondsPerSecond,
                      &FltkLoop::OnScriptStep, this);
    }
    shown_ = true;
    return;
  }
  if (property != Property::Enabled || control.Kind() != ui::Kind::Timer) return;
  for (auto& timer : timers_) {
    if (timer.control == &control) Schedule(timer);
  }
}

void FltkLoop::Schedule(Timer& timer) {
  Fl::remove_timeout(&FltkLoop::OnTimer, &timer);
  const int interval = timer.control->State().interval;
  if (timer.control->Enabled() && interval > 0) {
    Fl::add_timeout(interval / kMillisecondsPerSecond, &FltkLoop::OnTimer, &timer);
  }
}

void FltkLoop::OnTimer(void* data) {
  auto& timer = *static_cast<Timer*>(data);
  // Rescheduled first: the handler may switch the timer off or pump messages.
  Fl::repeat_timeout(timer.control->State().interval / kMillisecondsPerSecond, &FltkLoop::OnTimer,
                     data);
  timer.loop->widgets_.Find(timer.control->Name())->Tick();
}

void FltkLoop::OnScriptStep(void* data) {
  auto& loop = *static_cast<FltkLoop*>(data);
  if (loop.clicks_.empty()) {
    Fl::add_timeout(loop.script_.holdSeconds, &FltkLoop::OnScriptDone, data);
    return;
  }
  const std::string name = loop.clicks_.front();
  loop.clicks_.pop_front();
  loop.Click(name);
  Fl::add_timeout(HeadlessLoop::kClickInterval / kMillisecondsPerSecond, &FltkLoop::OnScriptStep,
                  data);
}

void FltkLoop::OnScriptDone(void* data) {
  static_cast<FltkLoop*>(data)->Finish();
}

void FltkLoop::Click(const std::string& name) {
  ControlModel* control = widgets_.Find(name);
  if (const auto refused = RefusedClick(control, name)) {
    end_(*refused, kRunMisfit);
    return;
  }
  // Through the widget, as a person's click arrives.
  if (Fl_Widget* widget = mirror_.WidgetOf(*control)) {
    widget->do_callback();
  } else {
    control->Click();
  }
}

void FltkLoop::Finish() {
  if (TakeScreenshot(nullptr)) end_("script done", kRunEnded);
}

bool FltkLoop::TakeScreenshot(Fl_Window* box) {
  if (!script_.screenshot.empty()) {
    // The setup window (a box may come before it), then the box over it.
    std::vector<Fl_Window*> windows;
    for (const auto& form : widgets_.Forms()) {
      if (windows.empty() && form->Visible() && !form->Closed()) {
        windows.push_back(mirror_.WindowOf(*form));
      }
    }
    if (box != nullptr) windows.push_back(box);
    try {
      if (windows.empty()) throw std::runtime_error("no window is shown for the screenshot");
      SaveScreenshot(windows, script_.screenshot);
      std::cerr << "lynsim: wrote the screenshot " << script_.screenshot << "\n";
    } catch (const std::exception& e) {
      std::cerr << "lynsim: " << e.what() << "\n";
      end_("exit 1", kRunFailed);
      return false;
    }
  }
  return true;
}

void FltkLoop::Run() {
  while (widgets_.HasOpenForms()) Fl::wait();
}

void FltkLoop::DoEvents() {
  Fl::check();
}

}  // namespace lyn::sim::fltk
