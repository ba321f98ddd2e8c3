// The folders that belong to Windows or to the person, which the uninstaller
// never removes whatever a log says: every folder the shell names (the
// desktop, the documents, the Start menu and its programs, the profile, the
// Windows, system, program files and temporary folders...), every folder
// above one of them, and every drive's root.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/api/platform.h"

namespace lyn::uninstall {

class OwnedFolders {
 public:
  explicit OwnedFolders(std::vector<std::string> folders) : folders_(std::move(folders)) {}

  // Asks the platform for its folders.
  static OwnedFolders Find(Platform& platform);

  bool Owns(std::string_view folder) const;

 private:
  std::vector<std::string> folders_;
};

}  // namespace lyn::uninstall
