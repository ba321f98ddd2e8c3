#include "platform/sim/run/run_program.h"

#include <exception>
#include <iostream>

#include "platform/sim/run/run_host.h"
#include "platform/sim/security/token.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/ui/transcript.h"
#include "shell/chk_previous_instance.h"

namespace lyn::sim {

BackendFactory HeadlessBackend(const Script& script) {
  return [script](WidgetSet& widgets, const HeadlessLoop::EndFunction& end) {
    auto loop = std::make_unique<HeadlessLoop>(widgets, script.clicks, script.holdSeconds, end);
    widgets.AddObserver(*loop);
    return Backend{
        std::move(loop), std::make_unique<ScriptedAnswers>(script.answers, script.agree), {}};
  };
}

void RunProgram(Machine machine, const BackendFactory& makeBackend, const RunReporting& reporting) {
  RunProgram(std::move(machine), makeBackend, &ChkPreviousInstance::Main, reporting);
}

namespace {

// The system's text for why a program did not start.
std::string StartError(win::DWORD error) {
  const char* text = error == kErrorCancelled ? "The operation was canceled by the user."
                                              : "The requested operation requires elevation.";
  return "error " + std::to_string(error) + " (" + text + ")";
}

// Starts the program as Windows starts one whose manifest asks for
// administrator rights: the person is asked first where User Account
// Control asks; a refusal ends the run before the program runs.
void Start(const Profile& profile, Transcript& transcript, const EndingFunction& ended) {
  const ProgramStart start = StartProgram(profile, kProductExecutionLevel);
  if (start.prompt != ElevationPrompt::None) {
    transcript.Elevation(start.prompt == ElevationPrompt::Consent ? "consent" : "credentials",
                         start.answeredYes ? "Yes" : "No");
  }
  if (start.error == 0) return;
  const RunEnding ending{"not started, " + StartError(start.error), kRunNotStarted};
  transcript.Ended(ending.reason);
  if (ended) ended(ending);
  RunHost::ExitNow(kRunNotStarted);
}

}  // namespace

void RunProgram(Machine machine, const BackendFactory& makeBackend, const ProgramEntry& entry,
                const RunReporting& reporting) {
  std::ostream nowhere(nullptr);
  Transcript transcript(reporting.transcript ? std::cout : nowhere);
  Start(machine.profile(), transcript, reporting.ended);
  RunHost host(transcript, RunHost::ExitNow, reporting.ended);
  SimPlatform sim(std::move(machine), host);
  WidgetSet& widgets = sim.widgets();
  widgets.AddObserver(transcript);
  widgets.AddObserver(host);
  const Backend backend = makeBackend(
      widgets, [&host](const std::string& reason, int code) { host.End(reason, code); });
  widgets.SetEventLoop(*backend.loop);
  host.Attach(
      widgets, *backend.answerer, [&sim] { sim.desktop().RemoveAllOfThisProcess(); },
      &sim.notCopied());
  try {
    entry(sim.platform());
    widgets.RunMessageLoop();
  } catch (const std::exception& e) {
    std::cerr << "lynsim: the program failed: " << e.what() << "\n";
    host.End("exit 1", kRunFailed);
  }
  host.EndProcess(0);
}

}  // namespace lyn::sim
