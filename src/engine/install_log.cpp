#include "engine/install_log.h"

#include <string>

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

win::HANDLE uninstallLog = win::INVALID_HANDLE_VALUE;
win::HANDLE installLog = win::INVALID_HANDLE_VALUE;

win::HANDLE CreateLog(Platform& platform, const std::string& folder, const std::string& name) {
  const std::string path = ToAnsi(platform.kernel32, folder + "\\" + name);
  return platform.kernel32.CreateFileA(path.c_str(), win::GENERIC_WRITE, 0, nullptr,
                                       win::CREATE_ALWAYS, win::FILE_ATTRIBUTE_NORMAL, 0);
}

void CloseLog(Platform& platform, win::HANDLE& log) {
  if (log != win::INVALID_HANDLE_VALUE) platform.kernel32.CloseHandle(log);
  log = win::INVALID_HANDLE_VALUE;
}

// Writes one line with its CR LF; false when it could not be written whole.
bool WriteLine(Platform& platform, win::HANDLE log, std::string_view text) {
  const std::string line = ToAnsi(platform.kernel32, text) + "\r\n";
  win::DWORD written = 0;
  return platform.kernel32.WriteFile(log, line.data(), static_cast<win::DWORD>(line.size()),
                                     &written, nullptr) &&
         written == line.size();
}

}  // namespace

void OpenInstallLogs(Platform& platform, const SetupState& state) {
  uninstallLog = CreateLog(platform, state.WindowsFolder, state.UninstallLogName);
  installLog = CreateLog(platform, state.ProgramFolder, state.InstallLogName);
}

void WriteLog(Platform& platform, bool InfoOnly, std::string_view Header, std::string_view Item,
              std::string_view Outcome) {
  if (!InfoOnly) {
    if (!Header.empty() && !WriteLine(platform, uninstallLog, Header)) return;
    if (!WriteLine(platform, uninstallLog, Item)) return;
    if (!WriteLine(platform, uninstallLog, Outcome)) return;
  }
  if (!Header.empty() && !WriteLine(platform, installLog, Header)) return;
  if (!WriteLine(platform, installLog, Item)) return;
  if (!Outcome.empty()) WriteLine(platform, installLog, Outcome);
}

void CloseUninstallLog(Platform& platform) {
  CloseLog(platform, uninstallLog);
}

void CloseInstallLogs(Platform& platform) {
  CloseLog(platform, uninstallLog);
  CloseLog(platform, installLog);
}

}  // namespace lyn
