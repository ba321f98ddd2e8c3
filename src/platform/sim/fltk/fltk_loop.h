// The message loop of the FLTK window. Timers fire in real time while
// enabled. A scripted run clicks the script's controls on the real widgets
// with the headless loop's delays (the first click two seconds after the
// window is shown, each later one a second after the one before), stays for
// the script's hold time, saves the screenshot if one was asked for and ends
// the run. Without a script it waits for a person until the window closes.
#pragma once

#include <FL/Fl_Window.H>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/fltk/window_mirror.h"
#include "platform/sim/ui/event_loop.h"
#include "platform/sim/ui/headless_loop.h"

namespace lyn::sim::fltk {

struct LoopScript {
  bool scripted = false;
  std::vector<std::string> clicks;
  int holdSeconds = 0;
  std::string screenshot;  // PNG file written when the script is done; empty: none
};

class FltkLoop final : public EventLoop, public WidgetObserver {
 public:
  // The loop must be added to the widgets' observers before any form exists.
  FltkLoop(WidgetSet& widgets, const WindowMirror& mirror, const LoopScript& script,
           HeadlessLoop::EndFunction end);
  ~FltkLoop() override;
  FltkLoop(const FltkLoop&) = delete;
  FltkLoop& operator=(const FltkLoop&) = delete;

  void Run() override;
  void DoEvents() override;
  std::vector<std::string> ClicksLeft() const override { return {clicks_.begin(), clicks_.end()}; }

  // The script is done: saves the screenshot and ends the run.
  void Finish();
  // Saves the screenshot, if one was asked for, with the message box the
  // script left unanswered over the window when there is one; whether it was
  // saved (a failure ends the run).
  bool TakeScreenshot(Fl_Window* box);

  void OnControlAdded(const ControlModel& control) override;
  void OnChanged(const ControlModel& control, Property property) override;

 private:
  struct Timer {
    FltkLoop* loop;
    const ControlModel* control;
  };

  static void OnTimer(void* timer);
  static void OnScriptStep(void* loop);
  static void OnScriptDone(void* loop);
  void Schedule(Timer& timer);
  void Click(const std::string& name);

  WidgetSet& widgets_;
  const WindowMirror& mirror_;
  LoopScript script_;
  std::deque<std::string> clicks_;
  HeadlessLoop::EndFunction end_;
  bool shown_ = false;
  std::deque<Timer> timers_;
};

}  // namespace lyn::sim::fltk
