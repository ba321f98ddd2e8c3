#include "tools/lynsim/lynsim_process.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lyn::testing {

LynsimProcess::LynsimProcess(const std::string& args, const std::filesystem::path& errFile)
    : errFile_(errFile) {
  const std::string command =
      std::string(LYNSIM_PATH) + " " + args + " 2>'" + errFile.string() + "'";
  pipe_ = popen(command.c_str(), "r");
  if (pipe_ == nullptr) throw std::runtime_error("cannot start " + command);
}

LynsimProcess::~LynsimProcess() {
  if (pipe_ != nullptr) pclose(pipe_);
}

const std::string& LynsimProcess::ReadUntilLineStartingWith(const std::string& prefix) {
  char line[4096];
  while (std::fgets(line, sizeof line, pipe_) != nullptr) {
    out_ += line;
    if (std::string(line).starts_with(prefix)) break;
  }
  return out_;
}

LynsimResult LynsimProcess::Finish() {
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe_)) > 0;) {
    out_.append(buffer, n);
  }
  const int raw = pclose(pipe_);
  pipe_ = nullptr;
  std::ifstream errStream(errFile_);
  std::stringstream err;
  err << errStream.rdbuf();
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out_, err.str()};
}

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

LynsimResult ScratchMachine::Lynsim(const std::string& args, const std::string& errName) const {
  return LynsimProcess(args, folder_ / errName).Finish();
}

}  // namespace lyn::testing
