// A machine made in a scratch folder for one test, with its kernel32 and
// shell32, and helpers to put files on it and read them back.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/sim/kernel32_sim.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/recording_process_host.h"
#include "platform/sim/shell32_sim.h"

namespace lyn::sim::testing {

class ScratchMachine {
 public:
  explicit ScratchMachine(const Profile& profile = Profile{})
      : machine(Machine::Create(folder.path(), profile)) {}

  std::filesystem::path Host(std::string_view windowsPath) const {
    return machine.Resolve(windowsPath).hostPath;
  }
  void MakeFolder(std::string_view windowsPath) const {
    std::filesystem::create_directories(Host(windowsPath));
  }
  void PutFile(std::string_view windowsPath, std::string_view bytes) const {
    std::ofstream(Host(windowsPath), std::ios::binary).write(bytes.data(), bytes.size());
  }
  std::string ReadFile(std::string_view windowsPath) const {
    std::ifstream file(Host(windowsPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  ScratchFolder folder;
  const Machine machine;
  RecordingProcessHost host;
  SimKernel32 kernel32{machine, host};
  SimShell32 shell32{machine};
};

}  // namespace lyn::sim::testing
