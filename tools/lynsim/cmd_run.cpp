// lynsim run DIR [--headless|--gui] [--click CONTROL]... [--answer Yes|No|OK]...
// [--yes] [--hold SECONDS] [--screenshot FILE.png|DIR/] [--quiet|--json]: runs the
// setup program on a machine and writes the transcript of what a person would
// see, or only how it went.
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "command.h"
#include "platform/sim/run/run_program.h"
#include "run_report.h"
#include "window_module_loader.h"

namespace lyn::lynsim {
namespace {

struct Options {
  std::string folder;
  bool headless = false;
  bool gui = false;
  std::vector<std::string> clicks;
  std::vector<std::string> answers;
  bool yes = false;
  int holdSeconds = 0;
  std::string screenshot;
  bool quiet = false;
  bool json = false;
};

constexpr const char* kStatuses =
    "Exit statuses:\n"
    "  0  the program ended by itself (Cancel, Finish, a refusal, a second copy) or the\n"
    "     script was played to its end\n"
    "  1  the machine, the host or the program failed (the message says which)\n"
    "  2  the command line is wrong\n"
    "  3  the script did not fit: a click on a control that is not there, not in view or\n"
    "     disabled, an answer the box has no button for, a box left unanswered, or steps\n"
    "     left over when the program ended\n"
    "  4  Windows did not start the program: the elevation prompt was answered No (error\n"
    "     1223), or User Account Control is off and the user is no administrator (error 740)\n"
    "The transcript's 'ignored:' and 'left over:' lines name the steps that did not fit;\n"
    "after its 'ended:' line a 'failed:' line names each file the run could not copy.\n"
    "The program asks for administrator rights: where User Account Control asks the person\n"
    "first, the transcript starts with 'elevation: consent|credentials Yes|No' (the answer\n"
    "is the profile's ElevationAnswer).\n";

// Where the screenshot goes, decided before the run: an existing folder, or
// a name ending in '/', takes one picture per phase; any other name must be a
// .png file in an existing folder.
std::string ScreenshotTarget(const std::string& screenshot) {
  namespace fs = std::filesystem;
  if (screenshot.empty() || screenshot.back() == '/') return screenshot;
  std::error_code error;
  if (fs::is_directory(screenshot, error)) return screenshot + "/";
  const fs::path file(screenshot);
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".png") {
    throw UsageError{"--screenshot '" + screenshot +
                     "' is neither a .png file nor a folder (end a new folder's name with /)"};
  }
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (!fs::is_directory(folder, error)) {
    throw std::runtime_error("cannot write the screenshot " + screenshot + ": the folder " +
                             folder.string() + " does not exist");
  }
  return screenshot;
}

[[noreturn]] void RunRun(const Options& options) {
  sim::Script script;
  script.clicks = options.clicks;
  script.holdSeconds = options.holdSeconds;
  script.agree = options.yes;
  for (const std::string& word : options.answers) script.answers.push_back(*sim::ParseAnswer(word));
  const std::string screenshot = ScreenshotTarget(options.screenshot);
  sim::Machine machine = sim::Machine::Open(options.folder);
  const sim::Profile profile = machine.profile();
  sim::BackendFactory backend = options.headless ? sim::HeadlessBackend(script)
                                                 : LoadWindowModule().chooseBackend(
                                                       options.gui ? sim::fltk::DisplayChoice::Gui
                                                                   : sim::fltk::DisplayChoice::Auto,
                                                       script, screenshot, profile, std::cerr);
  const RunOutput output = options.json    ? RunOutput::Json
                           : options.quiet ? RunOutput::Quiet
                                           : RunOutput::Transcript;
  const sim::RunReporting reporting{output == RunOutput::Transcript, ReportRun(machine, output)};
  sim::RunProgram(std::move(machine), backend, reporting);
}

const Command kRun([](CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App& command = AddCommand(
      app, "run",
      "Runs the setup program on the machine and prints the transcript of what a person would "
      "see. In a window when a display is at hand, else headless",
      "lynsim run /tmp/m --headless --click lblAcceptYes --click cmdOK --answer Yes");
  command.footer(kStatuses + ("\n" + command.get_footer()));
  AddMachineFolder(command, options->folder);
  CLI::Option* headless =
      command.add_flag("--headless", options->headless, "the headless widgets, display or not");
  command.add_flag("--gui", options->gui, "the window; an error without a display")
      ->excludes(headless);
  command.add_option("--click", options->clicks, "click the control, in order; may be repeated")
      ->type_name("CONTROL")
      ->allow_extra_args(false);
  AddAnswerOption(command, options->answers);
  command.add_flag("--yes,-y", options->yes,
                   "answer every box after the --answer ones Yes, or OK where it has no Yes");
  command.add_option("--hold", options->holdSeconds, "stay this long after the last click")
      ->type_name("SECONDS")
      ->check(CLI::Range(0, 3600));
  command
      .add_option("--screenshot", options->screenshot,
                  "save what is on the screen when the script is done; a folder ending in / "
                  "gets one picture per install phase instead, each with its text "
                  "(0-licence.png to 6-finish.png, 0-licence.txt to 6-finish.txt)")
      ->type_name("FILE.png|DIR/")
      ->excludes(headless);
  CLI::Option* quiet = command.add_flag(
      "--quiet", options->quiet,
      "print only the result of each row of the progress panel, the files not copied and the "
      "ending");
  AddJsonFlag(command, options->json)->excludes(quiet);
  return [options]() -> int { RunRun(*options); };
});

}  // namespace
}  // namespace lyn::lynsim
