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

CabOptions ParseOptions(const Args& args) {
  if (args.size() < 3) throw UsageError{"cab takes a machine folder, an action and a cabinet"};
  CabOptions options;
  options.machine = args[0];
  options.action = args[1];
  options.cabName = args[2];
  if (options.action != "count" && options.action != "info" && options.action != "xml" &&
      options.action != "extract") {
    throw UsageError{"unknown cab action '" + options.action + "'"};
  }
  for (std::size_t i = 3; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--unmarked") {
      options.unmarked = true;
      continue;
    }
    std::string* value = option == "--filter"        ? &options.filter
                         : option == "--output-path" ? &options.outputPath
                         : option == "--output-file" ? &options.outputFile
                                                     : nullptr;
    if (value == nullptr) throw UsageError{"unknown cab option '" + option + "'"};
    if (++i == args.size()) throw UsageError{option + " needs a value"};
    *value = args[i];
  }
  return options;
}

int RunCabCommand(const Args& args) {
  return RunCab(ParseOptions(args), std::cout, std::cerr);
}

const Command kCab("cab",
                   "cab DIR count|info|xml|extract CAB [--filter NAME] [--output-path WINPATH] "
                   "[--output-file NAME] [--unmarked]",
                   &RunCabCommand);

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
