// lynsim survey DIR [--json]: the setup program's version survey on a
// machine, printed as the install-information log records it: the section
// header, then for each surveyed file its path and summary. Nothing is
// written to the machine.
#include <iostream>
#include <memory>

#include "command.h"
#include "engine/manifest.h"
#include "engine/version_survey.h"
#include "inspection_host.h"
#include "platform/sim/sim_platform.h"
#include "record_output.h"
#include "shell/fill_setup_state.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  bool json = false;
};

int RunSurvey(const Options& options) {
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(options.folder), host);
  // The state as the window's load fills it, with the maps folder the
  // install run adds (the program folder without a numbered variant).
  SetupState state;
  FillSetupState(machine.platform(), state);
  state.MapsFolder = state.ProgramFolder + "\\" + "Maps";
  // The logs are not open, so the survey's own entries go nowhere.
  SurveyVersions(machine.platform(), state);
  if (options.json) {
    Record files = Record::array();
    for (int row = kFirstSurveyedRow; row <= kLastSurveyedRow; ++row) {
      files.push_back({{"path", SurveyedPath(state, row)},
                       {"present", Manifest::PresentVersionText[row]},
                       {"shipped", Manifest::ShippedVersionText[row]},
                       {"install", Manifest::InstallMark[row] != kFalse16}});
    }
    std::cout << Record{{"files", files}}.dump() << "\n";
    return kExitDone;
  }
  std::cout << "[VERSION]\n";
  for (int row = kFirstSurveyedRow; row <= kLastSurveyedRow; ++row) {
    std::cout << SurveyedPath(state, row) << "\n" << SurveySummary(row) << "\n";
  }
  return kExitDone;
}

const Command kSurvey([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "survey",
      "The setup program's version survey: each file it would install, the version present "
      "and the version shipped, as the install-information log records them",
      "lynsim survey /tmp/m");
  AddMachineFolder(command, options->folder);
  AddJsonFlag(command, options->json);
  return [options] { return RunSurvey(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
