// Runs the lynsim binary as a user would, capturing what it prints.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lyn::testing {

struct LynsimResult {
  int status = -1;
  std::string out;
  std::string err;
};

// A lynsim process started in the background; its standard output comes
// through a pipe, its error output goes to a file in the scratch folder.
class LynsimProcess {
 public:
  LynsimProcess(const std::string& args, const std::filesystem::path& errFile);
  LynsimProcess(const LynsimProcess&) = delete;
  LynsimProcess& operator=(const LynsimProcess&) = delete;
  ~LynsimProcess();

  // Reads lines of standard output until one starts with the prefix (or the
  // output ends); returns everything read so far.
  const std::string& ReadUntilLineStartingWith(const std::string& prefix);
  LynsimResult Finish();

 private:
  std::FILE* pipe_;
  std::filesystem::path errFile_;
  std::string out_;
};

// Makes a scratch folder with a machine in it, removed afterwards.
class ScratchMachine {
 public:
  explicit ScratchMachine(const std::string& newArgs = "");
  ~ScratchMachine();

  const std::filesystem::path& folder() const { return folder_; }
  const std::string& machine() const { return machine_; }
  // Runs lynsim to its end.
  LynsimResult Lynsim(const std::string& args, const std::string& errName = "err") const;

 private:
  std::filesystem::path folder_;
  std::string machine_;
};

}  // namespace lyn::testing
