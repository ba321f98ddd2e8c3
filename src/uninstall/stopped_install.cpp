#include "uninstall/stopped_install.h"

#include <optional>
#include <string>
#include <vector>

#include "sysinfo/ansi_text.h"
#include "uninstall/path_names.h"

namespace lyn::uninstall {
namespace {

constexpr int kNumberedFolders = 99;

struct Listed {
  std::string name;
  bool folder = false;
  bool empty = false;  // a file of no bytes
};

// The entries of `folder`, "." and ".." left out; nullopt when it is no folder.
std::optional<std::vector<Listed>> List(win::Kernel32& kernel32, const std::string& folder) {
  const win::DWORD attributes = kernel32.GetFileAttributesA(ToAnsi(kernel32, folder).c_str());
  if (attributes == win::INVALID_FILE_ATTRIBUTES ||
      (attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::nullopt;
  }
  std::vector<Listed> entries;
  win::WIN32_FIND_DATAA entry{};
  const win::HANDLE search =
      kernel32.FindFirstFileA(ToAnsi(kernel32, InFolder(folder, "*")).c_str(), &entry);
  if (search == win::INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = FromAnsi(kernel32, entry.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (entry.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0,
                       entry.nFileSizeHigh == 0 && entry.nFileSizeLow == 0});
  } while (kernel32.FindNextFileA(search, &entry));
  kernel32.FindClose(search);
  return entries;
}

// The steps that empty and remove a program folder holding nothing but an
// empty Maps folder and an empty install-information log; none for one
// holding anything else.
std::vector<Step> ProgramFolderSteps(win::Kernel32& kernel32, const std::string& folder) {
  const auto entries = List(kernel32, folder);
  if (!entries) return {};
  std::vector<Step> steps;
  for (const Listed& entry : *entries) {
    const std::string path = InFolder(folder, entry.name);
    if (!entry.folder && entry.empty && SameName(entry.name, kInstallLogName)) {
      steps.push_back({Action::DeleteFile, path});
    } else if (const auto maps = entry.folder && SameName(entry.name, "Maps") ? List(kernel32, path)
                                                                              : std::nullopt;
               maps && maps->empty()) {
      steps.push_back({Action::RemoveFolder, path});
    } else {
      return {};
    }
  }
  steps.push_back({Action::RemoveFolder, folder});
  return steps;
}

}  // namespace

RemovalPlan PlanStoppedInstallRemoval(win::Kernel32& kernel32, const InstallPlaces& places,
                                      bool logPresent) {
  RemovalPlan plan;
  for (int number = 0; number <= kNumberedFolders; ++number) {
    const std::string digits = number == 0 ? "" : std::to_string(100 + number).substr(1);
    const std::string folder = InFolder(places.programFiles, "LYN" + digits);
    if (!IsAbsolutePath(folder) || places.owned.Owns(folder)) continue;
    for (Step& step : ProgramFolderSteps(kernel32, folder)) plan.steps.push_back(std::move(step));
  }
  const auto temporary = List(kernel32, places.setupTemp);
  if (temporary && temporary->empty() && !places.owned.Owns(places.setupTemp)) {
    plan.steps.push_back({Action::RemoveFolder, places.setupTemp});
  }
  if (logPresent)
    plan.steps.push_back({Action::DeleteFile, InFolder(places.windows, kUninstallLogName)});
  return plan;
}

}  // namespace lyn::uninstall
