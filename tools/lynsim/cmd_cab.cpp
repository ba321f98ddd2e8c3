// lynsim cab DIR count|info|xml|extract CAB [--filter NAME]
//   [--output-path WINPATH] [--output-file NAME] [--unmarked]
// count prints the number of files; info one line per FileFound event
// (name, date-time, size, folder part, tab-separated); xml the document of
// GetXML exactly; extract one line per BeforeExtract and AfterExtract, with
// every manifest row marked for installation unless --unmarked.
#include "cmd_cab.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "cabinet/cab_file.h"
#include "command.h"
#include "engine/manifest.h"
#include "inspection_host.h"
#include "platform/sim/sim_platform.h"

namespace lyn::lynsim {
namespace {

std::string IsoText(const CabDateTime& value) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", value.Year, value.Month,
                value.Day, value.Hour, value.Minute, value.Second);
  return text;
}

void MarkEveryRow() {
  for (int row = 1; row <= Manifest::kLastSlot; ++row) {
    if (!Manifest::FileName[row].empty()) Manifest::InstallMark[row] = kTrue16;
  }
}

const Command kCab([](CLI::App& app) {
  auto options = std::make_shared<CabOptions>();
  CLI::App& command =
      AddCommand(app, "cab", "Drives the setup program's cabinet object on a machine",
                 "lynsim cab /tmp/m extract LYN.CAB --output-path 'C:\\Temp\\out'");
  AddMachineFolder(command, options->machine);
  command.add_option("ACTION", options->action, "count, info, xml or extract")
      ->required()
      ->check(CLI::IsMember({"count", "info", "xml", "extract"}));
  command
      .add_option("CAB", options->cabName,
                  "the cabinet as the program names it; a bare name is found in the machine's "
                  "current folder")
      ->required();
  command.add_option("--filter", options->filter, "the name given to the operation")
      ->type_name("NAME");
  command.add_option("--output-path", options->outputPath, "extract: the output folder")
      ->type_name("WINPATH");
  command.add_option("--output-file", options->outputFile, "extract: the output file name")
      ->type_name("NAME");
  command.add_flag("--unmarked", options->unmarked,
                   "extract: leave every manifest row unmarked for installation");
  return [options] { return RunCab(*options, std::cout, std::cerr); };
});

}  // namespace

int RunCab(const CabOptions& options, std::ostream& out, std::ostream& err) {
  InspectionHost host;
  sim::SimPlatform machine(sim::Machine::Open(options.machine), host);
  auto cab = std::make_shared<CabFile>(machine.platform());
  cab->SetCabName(options.cabName);
  try {
    if (options.action == "count") {
      out << cab->FileCount() << "\n";
    } else if (options.action == "info") {
      cab->FileFound = [&out](const std::string& name, const CabDateTime& stamp, std::int32_t size,
                              const std::string& path) {
        out << name << "\t" << IsoText(stamp) << "\t" << size << "\t" << path << "\n";
      };
      cab->GetInfo(options.filter);
    } else if (options.action == "xml") {
      out << cab->GetXML(options.filter);
    } else {
      Manifest::BuildManifest();
      if (!options.unmarked) MarkEveryRow();
      cab->BeforeExtract = [&out](const std::string& name, Boolean16&) {
        out << "BeforeExtract\t" << name << "\n";
      };
      cab->AfterExtract = [&out](const std::string& path) {
        out << "AfterExtract\t" << path << "\n";
      };
      cab->Extract(options.filter, options.outputPath, options.outputFile);
    }
  } catch (const CabFileError& e) {
    out.flush();
    err << "error " << e.Number() << " " << e.Source() << ": " << e.Description() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lyn::lynsim
