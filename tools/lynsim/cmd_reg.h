// lynsim reg: the machine's registry as the registry editor's files.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace lyn::lynsim {

struct RegOptions {
  std::string machine;    // the machine folder
  std::string action;     // "export" or "import"
  std::string key;        // export: the key to write with its subkeys; empty for all
  bool regedit4 = false;  // export: a "REGEDIT4" file in the machine's ANSI code page
  std::string file;       // import: the file to load, "-" for `in`
};

// Writes the export to `out`, or loads the import file; returns the exit
// status. Throws MachineError or std::exception with a one-line message.
int RunReg(const RegOptions& options, std::ostream& out, std::istream& in);

}  // namespace lyn::lynsim
