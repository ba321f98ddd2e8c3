#include "tools/lynsim/lynsim_process.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lyn::testing {

ScratchMachine::ScratchMachine(const std::string& newArgs) {
  std::string pattern = (std::filesystem::temp_directory_path() / "lynsim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  folder_ = pattern;
  machine_ = (folder_ / "machine").string();
  const LynsimResult made = Lynsim("new " + machine_ + " " + newArgs);
  if (made.status != 0) throw std::runtime_error("lynsim new failed: " + made.err);
}

ScratchMachine::~ScratchMachine() {
  std::filesystem::remove_all(folder_);
}

LynsimResult ScratchMachine::Lynsim(const std::string& args) const {
  const std::filesystem::path errFile = folder_ / "err";
  const std::string command =
      std::string(LYNSIM_PATH) + " " + args + " 2>'" + errFile.string() + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot start " + command);
  LynsimResult result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.out.append(buffer, n);
  }
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::stringstream err;
  err << std::ifstream(errFile).rdbuf();
  result.err = err.str();
  return result;
}

}  // namespace lyn::testing
