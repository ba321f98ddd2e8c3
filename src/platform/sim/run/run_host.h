// The process that `lynsim run` runs the program in: message boxes answered
// by the backend's answerer and written to the transcript, the topmost flag
// kept on the form, and the end of the process with the transcript's last
// line saying why it ended. Every scripted step shows in the transcript:
// played ("click:", "answer:"), refused ("ignored: cmdOK is disabled") or
// never reached ("left over: click cmdOK"); a step refused or left over
// ends the run with kRunMisfit.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/process_host.h"
#include "platform/sim/ui/script.h"
#include "platform/sim/ui/transcript.h"
#include "platform/sim/ui/widget_set.h"

namespace lyn::sim {

// A message box the program showed, and the button that answered it.
struct ShownBox {
  std::string caption;
  std::string text;
  win::UINT type = 0;
  std::optional<int> answer;  // none: left unanswered
};

// How a run ended, told before the process goes.
struct RunEnding {
  std::string reason;  // as the transcript's "ended:" line says it
  int status = 0;      // kRunEnded, kRunFailed or kRunMisfit
  const WidgetSet* widgets = nullptr;
  const std::vector<ShownBox>* boxes = nullptr;
  // The files the program's copies could not place, as the machine saw them.
  const std::vector<std::string>* notCopied = nullptr;
};
using EndingFunction = std::function<void(const RunEnding& ending)>;

class RunHost final : public ProcessHost, public WidgetObserver {
 public:
  // Leaves the process with the status; it does not return.
  using ExitFunction = std::function<void(int code)>;
  // Flushes the standard streams and leaves at once, running no destructor;
  // with status 1 and a message when standard output could not be written.
  static void ExitNow(int code);

  // `ended`, when set, hears how the run ended after the transcript's last
  // line and before the process goes.
  explicit RunHost(Transcript& transcript, ExitFunction exit = ExitNow, EndingFunction ended = {})
      : transcript_(transcript), exit_(std::move(exit)), ended_(std::move(ended)) {}

  // What the host needs once the platform exists: the widgets, who answers
  // message boxes, how to take the process's windows off the desktop, and
  // the list of copies that failed.
  void Attach(const WidgetSet& widgets, MessageBoxAnswerer& answerer,
              std::function<void()> removeWindows,
              const std::vector<std::string>* notCopied = nullptr);

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
  // Ends the transcript with the reason and leaves with the status.
  [[noreturn]] void Leave(const std::string& reason, int code);

  Transcript& transcript_;
  ExitFunction exit_;
  const WidgetSet* widgets_ = nullptr;
  MessageBoxAnswerer* answerer_ = nullptr;
  std::function<void()> removeWindows_;
  const std::vector<std::string>* notCopied_ = nullptr;
  EndingFunction ended_;
  std::vector<ShownBox> boxes_;
  bool leaving_ = false;
  // The title of the last message box, while no click has come after it.
  std::string lastBox_;
};

}  // namespace lyn::sim
