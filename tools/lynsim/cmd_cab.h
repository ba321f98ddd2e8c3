// lynsim cab: drives the program's CabFile object on a machine.
#pragma once

#include <ostream>
#include <string>

namespace lyn::lynsim {

struct CabOptions {
  std::string machine;     // the machine folder
  std::string action;      // "count", "info", "xml" or "extract"
  std::string cabName;     // CabName as the program would set it
  std::string filter;      // the name given to the operation
  std::string outputPath;  // extract: OutputPath
  std::string outputFile;  // extract: OutputFile
  bool unmarked = false;   // extract: leave every manifest row unmarked
};

// Prints what the operation reports; 0, or 1 after an error of the object
// (printed as one line to `err`).
int RunCab(const CabOptions& options, std::ostream& out, std::ostream& err);

}  // namespace lyn::lynsim
