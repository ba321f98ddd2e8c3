// A platform on a new emulated machine in a temporary folder, which is
// removed again at the end. A message box is a test failure; ending the
// process throws fakes::ProcessEnded.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "fakes/fake_platform.h"
#include "platform/sim/sim_platform.h"

namespace lyn::fakes {

class RefusingHost : public sim::ProcessHost {
 public:
  int MessageBox(win::HWND, const std::string&, const std::string& caption, win::UINT) override;
  void SetTopmost(win::HWND) override {}
  [[noreturn]] void EndProcess(win::UINT exitCode) override { throw ProcessEnded{exitCode}; }
};

class MachinePlatform {
 public:
  explicit MachinePlatform(const sim::Profile& profile = sim::Profile{});
  ~MachinePlatform();

  const sim::Machine& machine() const { return sim_.machine(); }
  Platform& platform() { return sim_.platform(); }
  sim::SimPlatform& sim() { return sim_; }

  // The host file behind a Windows path of the machine.
  std::filesystem::path Host(std::string_view windowsPath) const;
  // Writes a file of the machine, creating its folders.
  void PutFile(std::string_view windowsPath, std::string_view bytes) const;
  void MakeFolder(std::string_view windowsPath) const;
  // The same as the running program makes them, through the machine's file
  // layer: each file or folder made gets the owner and list Windows gives
  // what a program makes. Throws when the layer refuses.
  void ProgramPutFile(std::string_view windowsPath, std::string_view bytes) const;
  void ProgramMakeFolder(std::string_view windowsPath) const;
  void SetAttributes(std::string_view windowsPath, win::DWORD attributes) const {
    machine().SetAttributes(windowsPath, attributes);
  }
  // Gives a file or folder an explicit entry denying everyone `rights`,
  // ahead of what it inherits.
  void DenyEveryone(std::string_view windowsPath, win::ACCESS_MASK rights) const;
  // The bytes of a file of the machine; empty when it does not exist.
  std::string ReadFile(std::string_view windowsPath) const;
  bool Exists(std::string_view windowsPath) const;

 private:
  std::filesystem::path folder_;
  RefusingHost host_;
  sim::SimPlatform sim_;
};

// The bytes of a PE image built for the tests.
std::string TestImage(const char* name);

}  // namespace lyn::fakes
