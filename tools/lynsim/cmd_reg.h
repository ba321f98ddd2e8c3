// lynsim reg: the machine's registry in the registry editor's text format.
#pragma once

#include <ostream>
#include <string>

namespace lyn::lynsim {

struct RegOptions {
  std::string machine;  // the machine folder
  std::string action;   // "export" or "import"
  std::string key;      // export: the key to print with its subkeys; empty for all
  std::string file;     // import: the file to load
};

// Prints the export to `out`, or loads the import file; returns the exit
// status. Throws MachineError or std::exception with a one-line message.
int RunReg(const RegOptions& options, std::ostream& out);

}  // namespace lyn::lynsim
