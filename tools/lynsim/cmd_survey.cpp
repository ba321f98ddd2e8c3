// lynsim survey DIR: the setup program's version survey on a machine, printed
// as the install-information log records it: the section header, then for
// each surveyed file its path and summary. Nothing is written to the machine.
#include <iostream>

#include "command.h"
#include "engine/version_survey.h"
#include "inspection_host.h"
#include "platform/sim/sim_platform.h"
#include "shell/setup_state.h"

namespace lyn::lynsim {
namespace {

int RunSurvey(const Args& args) {
  if (args.size() != 1) throw UsageError{"survey takes one machine folder"};
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(args[0]), host);
  // The state as the window's load fills it, with the maps folder the
  // install run adds (the program folder without a numbered variant).
  SetupState state;
  FillSetupState(machine.platform(), state);
  state.MapsFolder = state.ProgramFolder + "\\" + "Maps";
  // The logs are not open, so the survey's own entries go nowhere.
  SurveyVersions(machine.platform(), state);
  std::cout << "[VERSION]\n";
  for (int row = kFirstSurveyedRow; row <= kLastSurveyedRow; ++row) {
    std::cout << SurveyedPath(state, row) << "\n" << SurveySummary(row) << "\n";
  }
  return 0;
}

const Command kSurvey("survey", "survey DIR", &RunSurvey);

}  // namespace
}  // namespace lyn::lynsim
