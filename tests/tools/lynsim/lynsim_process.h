// Runs the lynsim binary as a user would, capturing what it prints.
#pragma once

#include <filesystem>
#include <string>

namespace lyn::testing {

struct LynsimResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Makes a scratch folder with a machine in it, removed afterwards.
class ScratchMachine {
 public:
  explicit ScratchMachine(const std::string& newArgs = "");
  ~ScratchMachine();

  const std::filesystem::path& folder() const { return folder_; }
  const std::string& machine() const { return machine_; }
  // Runs lynsim to its end: standard output through a pipe, error output
  // through a file in the scratch folder.
  LynsimResult Lynsim(const std::string& args) const;

 private:
  std::filesystem::path folder_;
  std::string machine_;
};

}  // namespace lyn::testing
