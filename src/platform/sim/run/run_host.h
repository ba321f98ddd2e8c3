// The process that `lynsim run` runs the program in: message boxes answered
// by the backend's answerer and written to the transcript, the topmost flag
// kept on the form, and the end of the process with the transcript's last
// line saying why it ended. Every scripted step shows in the transcript:
// played ("click:", "answer:"), refused ("ignored: cmdOK is disabled") or
// never reached ("left over: click cmdOK"); a step refused or left over
// ends the run with kRunMisfit.
#pragma once

#include <functional>
#include <string>

#include "platform/sim/process_host.h"
#include "platform/sim/ui/script.h"
#include "platform/sim/ui/transcript.h"
#include "platform/sim/ui/widget_set.h"

namespace lyn::sim {

class RunHost final : public ProcessHost, public WidgetObserver {
 public:
  // Leaves the process with the status; it does not return.
  using ExitFunction = std::function<void(int code)>;
  // Flushes the standard streams and leaves at once, running no destructor.
  static void ExitNow(int code);

  explicit RunHost(Transcript& transcript, ExitFunction exit = ExitNow)
      : transcript_(transcript), exit_(std::move(exit)) {}

  // What the host needs once the platform exists: the widgets, who answers
  // message boxes, and how to take the process's windows off the desktop.
  void Attach(const WidgetSet& widgets, MessageBoxAnswerer& answerer,
              std::function<void()> removeWindows);

  // The box's owner is disabled while it is up, as the window system does
  // it; a box that a form of the process does not own writes "unowned:".
  int MessageBox(win::HWND owner, const std::string& text, const std::string& caption,
                 win::UINT type) override;
  void SetTopmost(win::HWND window) override;
  // The program ends itself, or its entry returned: the reason is the closed
  // window, else the last message box, else the push button being clicked,
  // else "previous instance" when no form was made, else the status.
  [[noreturn]] void EndProcess(win::UINT exitCode) override;
  // The run ends for the given reason. An ending with kRunEnded whose script
  // has steps left over is a misfit; with kRunMisfit the reason is why a
  // scripted step could not be played (see Misfit).
  [[noreturn]] void End(const std::string& reason, int code);
  // A scripted step cannot be played, for the reason given; the run ends.
  [[noreturn]] void Misfit(const std::string& why);

  // A click comes after the last message box.
  void OnClicked(const ControlModel& control) override;

 private:
  std::string ReasonForEnd(win::UINT exitCode) const;
  // Writes the steps not played; whether there were any.
  bool ReportLeftOver();

  Transcript& transcript_;
  ExitFunction exit_;
  const WidgetSet* widgets_ = nullptr;
  MessageBoxAnswerer* answerer_ = nullptr;
  std::function<void()> removeWindows_;
  // The title of the last message box, while no click has come after it.
  std::string lastBox_;
};

}  // namespace lyn::sim
