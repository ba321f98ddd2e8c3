// A fresh Wine prefix in a scratch folder, for running Windows programs of
// the differential tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/machine/scratch_folder.h"

namespace lyn::differential {

class WinePrefix {
 public:
  // What the program prints, without carriage returns; nullopt when Wine
  // cannot run it (the caller skips its test then).
  std::optional<std::string> Run(const std::string& program,
                                 const std::vector<std::string>& arguments = {}) const;
  // A host path as the programs under Wine name it (on drive Z:).
  static std::string WindowsPath(const std::filesystem::path& host);
  // The prefix's C: drive on the host.
  std::filesystem::path DriveC() const { return folder_.path() / "drive_c"; }

  static constexpr const char* kWine = "/usr/lib/wine/wine64";

 private:
  sim::testing::ScratchFolder folder_;
};

}  // namespace lyn::differential
