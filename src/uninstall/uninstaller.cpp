#include "uninstall/uninstaller.h"

#include <optional>
#include <string>

#include "sysinfo/ansi_text.h"
#include "uninstall/uninstall_messages.h"

namespace lyn::uninstall {
namespace {

constexpr win::DWORD kReadChunk = 4096;

std::string WindowsFolder(win::Kernel32& kernel32) {
  char buffer[win::MAX_PATH + 1] = {};
  const win::UINT length = kernel32.GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length > win::MAX_PATH) return {};
  return FromAnsi(kernel32, std::string_view(buffer, length));
}

// The log's bytes; nullopt with the box's text when it cannot be had.
std::optional<std::string> ReadLogBytes(win::Kernel32& kernel32, const std::string& path,
                                        std::string& refusal) {
  const std::string ansi = ToAnsi(kernel32, path);
  const win::HANDLE file =
      kernel32.CreateFileA(ansi.c_str(), win::GENERIC_READ, 0, nullptr, win::OPEN_EXISTING, 0, 0);
  if (file == win::INVALID_HANDLE_VALUE) {
    const win::DWORD error = kernel32.GetLastError();
    const bool missing = error == win::ERROR_FILE_NOT_FOUND || error == win::ERROR_PATH_NOT_FOUND;
    refusal = missing ? MissingLogText(path) : UnreadableLogText(path);
    return std::nullopt;
  }
  std::string bytes;
  char chunk[kReadChunk];
  win::DWORD read = 0;
  bool ok = true;
  while ((ok = kernel32.ReadFile(file, chunk, kReadChunk, &read, nullptr) != win::FALSE) &&
         read != 0) {
    bytes.append(chunk, read);
  }
  kernel32.CloseHandle(file);
  if (!ok) {
    refusal = UnreadableLogText(path);
    return std::nullopt;
  }
  return bytes;
}

int Show(Platform& platform, std::string_view text, win::UINT type) {
  return platform.user32.MessageBoxA(0, ToAnsi(platform.kernel32, text).c_str(),
                                     ToAnsi(platform.kernel32, kCaption).c_str(), type);
}

}  // namespace

UninstallOutcome RunUninstall(Platform& platform) {
  win::Kernel32& kernel32 = platform.kernel32;
  const std::string windowsFolder = WindowsFolder(kernel32);
  const std::string logPath = windowsFolder + "\\" + std::string(kUninstallLogName);
  std::string refusal;
  const std::optional<std::string> bytes = ReadLogBytes(kernel32, logPath, refusal);
  std::variant<UninstallLog, LogFault> read = LogFault{};
  if (bytes) {
    read = ReadUninstallLog(FromAnsi(kernel32, *bytes), windowsFolder);
    if (const auto* fault = std::get_if<LogFault>(&read)) refusal = DamagedLogText(logPath, *fault);
  }
  if (!refusal.empty()) {
    Show(platform, refusal, win::MB_OK | win::MB_ICONSTOP);
    return UninstallOutcome::LogRefused;
  }
  if (Show(platform, kQuestion, win::MB_YESNO | win::MB_ICONQUESTION) != win::IDYES) {
    return UninstallOutcome::Declined;
  }
  const RemovalPlan plan = PlanRemoval(std::get<UninstallLog>(read), windowsFolder);
  const RemovalResult result = CarryOut(platform, plan);
  const bool left = !result.left.empty();
  Show(platform, ReportText(plan, result),
       win::MB_OK | (left ? win::MB_ICONEXCLAMATION : win::MB_ICONINFORMATION));
  return left ? UninstallOutcome::PartlyLeft : UninstallOutcome::Removed;
}

}  // namespace lyn::uninstall
