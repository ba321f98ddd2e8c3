#include "uninstall/uninstaller.h"

#include <optional>
#include <string>

#include "integration/registry.h"
#include "sysinfo/ansi_text.h"
#include "uninstall/path_names.h"
#include "uninstall/stopped_install.h"
#include "uninstall/uninstall_messages.h"

namespace lyn::uninstall {
namespace {

constexpr win::DWORD kReadChunk = 4096;

// The log as far as it could be read, or the box's text saying why not.
struct LogReading {
  std::optional<UninstallLog> log;
  bool missing = false;
  bool beforeFolder = false;  // present, but it stops before naming the program folder
  std::string refusal;
};

// Reads the log a chunk at a time: a file larger than any log the install
// writes is refused as soon as it passes the limit, without reading on.
LogReading ReadLog(win::Kernel32& kernel32, const InstallPlaces& places, const std::string& path) {
  LogReading reading;
  const std::string ansi = ToAnsi(kernel32, path);
  const win::HANDLE file =
      kernel32.CreateFileA(ansi.c_str(), win::GENERIC_READ, 0, nullptr, win::OPEN_EXISTING, 0, 0);
  if (file == win::INVALID_HANDLE_VALUE) {
    const win::DWORD error = kernel32.GetLastError();
    reading.missing = error == win::ERROR_FILE_NOT_FOUND || error == win::ERROR_PATH_NOT_FOUND;
    reading.refusal = reading.missing ? MissingLogText(path) : UnreadableLogText(path);
    return reading;
  }
  UninstallLogReader reader(places,
                            [&](std::string_view line) { return FromAnsi(kernel32, line); });
  char chunk[kReadChunk];
  win::DWORD read = 0;
  bool ok = true;
  while ((ok = kernel32.ReadFile(file, chunk, kReadChunk, &read, nullptr) != win::FALSE) &&
         read != 0 && reader.Take(std::string_view(chunk, read))) {
  }
  kernel32.CloseHandle(file);
  if (!ok) {
    reading.refusal = UnreadableLogText(path);
    return reading;
  }
  std::variant<UninstallLog, LogFault> result = reader.Finish();
  if (auto* fault = std::get_if<LogFault>(&result)) {
    reading.refusal = DamagedLogText(path, *fault);
    reading.beforeFolder = fault->beforeFolder;
  } else {
    reading.log = std::move(std::get<UninstallLog>(result));
  }
  return reading;
}

// The program the uninstall entry names (its icon, the program file),
// possibly empty; nullopt when there is no entry.
std::optional<std::string> EntryProgram(Platform& platform) {
  win::HKEY key = 0;
  if (platform.registry.RegOpenKeyExA(win::HKEY_LOCAL_MACHINE,
                                      std::string(kUninstallKeyPath).c_str(), 0, win::KEY_READ,
                                      &key) != 0) {
    return std::nullopt;
  }
  std::string program = ReadRegValue(platform, key, "DisplayIcon");
  platform.registry.RegCloseKey(key);
  return program;
}

bool Exists(Platform& platform, const std::string& path) {
  return !path.empty() &&
         platform.kernel32.GetFileAttributesA(ToAnsi(platform.kernel32, path).c_str()) !=
             win::INVALID_FILE_ATTRIBUTES;
}

// The program folder of an install that wrote its entry but not its log (a
// log the disk refused): the folder of the program the entry names, when
// that is one the install makes and the program is there.
std::optional<std::string> UnloggedProgramFolder(Platform& platform, const InstallPlaces& places,
                                                 const std::string& program) {
  const std::size_t slash = program.rfind('\\');
  if (slash == std::string::npos || !SameName(LastName(program), kProgramFile)) return std::nullopt;
  std::string folder = program.substr(0, slash);
  if (!places.IsProgramFolder(folder) || !Exists(platform, program)) return std::nullopt;
  return folder;
}

int Show(Platform& platform, std::string_view text, win::UINT type) {
  return platform.user32.MessageBoxA(0, ToAnsi(platform.kernel32, text).c_str(),
                                     ToAnsi(platform.kernel32, kCaption).c_str(), type);
}

UninstallOutcome Remove(Platform& platform, std::string_view question, std::string_view headline,
                        const RemovalPlan& plan) {
  if (Show(platform, question, win::MB_YESNO | win::MB_ICONQUESTION) != win::IDYES) {
    return UninstallOutcome::Declined;
  }
  const RemovalResult result = CarryOut(platform, plan);
  const bool left = !plan.left.empty() || !result.left.empty();
  Show(platform, ReportText(headline, plan, result),
       win::MB_OK | (left ? win::MB_ICONEXCLAMATION : win::MB_ICONINFORMATION));
  return left ? UninstallOutcome::PartlyLeft : UninstallOutcome::Removed;
}

}  // namespace

UninstallOutcome RunUninstall(Platform& platform) {
  const InstallPlaces places = InstallPlaces::Find(platform);
  const std::string logPath = InFolder(places.windows, kUninstallLogName);
  const LogReading reading = ReadLog(platform.kernel32, places, logPath);
  if (reading.log) {
    const UninstallLog& log = *reading.log;
    const std::string question =
        log.firstGap == 0 ? std::string(kQuestion) : IncompleteLogQuestion(logPath, log.firstGap);
    return Remove(platform, question, kRemoved, PlanRemoval(log, places));
  }
  if (reading.missing || reading.beforeFolder) {
    const std::optional<std::string> program = EntryProgram(platform);
    if (program && reading.missing && !Exists(platform, *program)) {
      return Remove(platform, LeftoverEntryQuestion(logPath, *program), kEntryRemoved,
                    PlanEntryRemoval(places));
    }
    if (const auto folder =
            program ? UnloggedProgramFolder(platform, places, *program) : std::nullopt) {
      // Without its log, the install is taken as one that went to its end
      // in that folder: the product is removed from wherever it puts it.
      UninstallLog log;
      log.programFolder = *folder;
      log.reached = Section::End;
      return Remove(platform, UnloggedInstallQuestion(logPath, reading.missing, *folder), kRemoved,
                    PlanRemoval(log, places));
    }
    const RemovalPlan plan =
        PlanStoppedInstallRemoval(platform.kernel32, places, reading.beforeFolder);
    if (!plan.steps.empty()) {
      return Remove(platform, StoppedInstallQuestion(logPath, reading.missing, plan),
                    kStoppedInstallRemoved, plan);
    }
  }
  Show(platform, reading.refusal, win::MB_OK | win::MB_ICONSTOP);
  return UninstallOutcome::LogRefused;
}

}  // namespace lyn::uninstall
