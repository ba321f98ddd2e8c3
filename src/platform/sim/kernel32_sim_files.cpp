// The file operations of the emulated kernel32: directory searches,
// attributes, and files opened for reading or writing.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>

#include "platform/sim/kernel32_sim.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/wildcard.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

using namespace win;

constexpr DWORD ERROR_WRITE_PROTECT = 19;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr long long kEpochDifference = 116444736000000000LL;

FILETIME ToFileTime(fs::file_time_type time) {
  const auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::file_clock::to_sys(time).time_since_epoch());
  const auto ticks = static_cast<unsigned long long>(since1970.count() / 100 + kEpochDifference);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

// The folder part ("C:\Windows\", "C:", or "." for the current folder) and
// the name pattern of a search pattern.
std::pair<std::string, std::string> SplitPattern(const std::string& pattern) {
  const auto separator = pattern.find_last_of("\\/");
  if (separator != std::string::npos) {
    return {pattern.substr(0, separator + 1), pattern.substr(separator + 1)};
  }
  if (pattern.size() >= 2 && pattern[1] == ':') return {pattern.substr(0, 2), pattern.substr(2)};
  return {".", pattern};
}

bool IsWriteAccess(DWORD access) {
  return (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
}

bool IsReadOnlyVolume(const Machine& machine, char drive) {
  const auto found = machine.profile().drives.find(drive);
  return found != machine.profile().drives.end() && FoldCase(found->second.fileSystem) == "cdfs";
}

}  // namespace

HANDLE SimKernel32::NewHandle() {
  const HANDLE handle = nextHandle_;
  nextHandle_ += 4;
  return handle;
}

std::vector<WIN32_FIND_DATAA> SimKernel32::FindEntries(const std::string& pattern) {
  const auto [folderPart, namePattern] = SplitPattern(pattern);
  ResolvedPath folder;
  try {
    folder = machine_.Resolve(folderPart);
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  }
  std::error_code error;
  if (!fs::is_directory(folder.hostPath, error)) {
    return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  }
  // A folder below a drive root lists itself and its parent first.
  std::vector<std::pair<std::string, ResolvedPath>> candidates;
  const std::string prefix =
      folder.windowsPath.back() == '\\' ? folder.windowsPath : folder.windowsPath + '\\';
  if (folder.windowsPath.size() > 3) {
    candidates.push_back({".", folder});
    candidates.push_back({"..", machine_.Resolve(folder.windowsPath + "\\..")});
  }
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder.hostPath, error), end; !error && it != end;
       it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
  for (const std::string& name : names) {
    try {
      candidates.push_back({name, machine_.Resolve(prefix + name)});
    } catch (const MachineError&) {
      continue;  // not a Windows name, or a link leading out of the machine
    }
  }
  std::vector<WIN32_FIND_DATAA> entries;
  for (const auto& [name, entry] : candidates) {
    if (!MatchesPattern(name, namePattern)) continue;
    WIN32_FIND_DATAA data{};
    data.dwFileAttributes = machine_.Attributes(entry.windowsPath);
    const auto written = fs::last_write_time(entry.hostPath, error);
    data.ftLastWriteTime = error ? FILETIME{} : ToFileTime(written);
    data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime;
    if (fs::is_regular_file(entry.hostPath, error)) {
      const auto size = static_cast<unsigned long long>(fs::file_size(entry.hostPath, error));
      data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
      data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    }
    const std::string ansi = machine_.Utf8ToAnsi(name);
    std::memcpy(data.cFileName, ansi.data(), std::min<std::size_t>(ansi.size(), MAX_PATH - 1));
    entries.push_back(data);
  }
  if (entries.empty()) lastError_ = ERROR_FILE_NOT_FOUND;
  return entries;
}

HANDLE SimKernel32::FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  if (pattern == nullptr || data == nullptr)
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  const std::string text = machine_.AnsiToUtf8(pattern);
  const auto [folderPart, namePattern] = SplitPattern(text);
  if (namePattern.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  std::vector<WIN32_FIND_DATAA> entries = FindEntries(text);
  if (entries.empty()) return INVALID_HANDLE_VALUE;
  *data = entries.front();
  const HANDLE handle = NewHandle();
  searches_[handle] = Search{std::move(entries), 1};
  lastError_ = ERROR_SUCCESS;
  return handle;
}

BOOL SimKernel32::FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
  const auto found = searches_.find(search);
  if (found == searches_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
  Search& s = found->second;
  if (s.next >= s.entries.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
  *data = s.entries[s.next++];
  return TRUE;
}

BOOL SimKernel32::FindClose(HANDLE search) {
  if (searches_.erase(search) == 0) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return TRUE;
}

DWORD SimKernel32::GetFileAttributesA(LPCSTR path) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
  try {
    const ResolvedPath resolved = machine_.Resolve(machine_.AnsiToUtf8(path));
    std::error_code error;
    if (!resolved.exists) {
      const bool folderExists = fs::is_directory(resolved.hostPath.parent_path(), error);
      return Fail(folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
                  INVALID_FILE_ATTRIBUTES);
    }
    return machine_.Attributes(resolved.windowsPath);
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
  }
}

HANDLE SimKernel32::CreateFileA(LPCSTR path, DWORD access, DWORD, LPVOID, DWORD creation,
                                DWORD flags, HANDLE) {
  if (path == nullptr || creation < CREATE_NEW || creation > TRUNCATE_EXISTING) {
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  }
  ResolvedPath target;
  try {
    target = machine_.Resolve(machine_.AnsiToUtf8(path));
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  std::error_code error;
  if (!fs::is_directory(target.hostPath.parent_path(), error)) {
    return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  if (target.exists && fs::is_directory(target.hostPath, error)) {
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  }
  if (target.exists && creation == CREATE_NEW) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
  if (!target.exists && (creation == OPEN_EXISTING || creation == TRUNCATE_EXISTING)) {
    return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  }
  const bool writes = IsWriteAccess(access);
  const bool truncates =
      target.exists && (creation == CREATE_ALWAYS || creation == TRUNCATE_EXISTING);
  const bool creates = !target.exists;
  if ((writes || truncates || creates) && IsReadOnlyVolume(machine_, target.drive)) {
    return Fail(ERROR_WRITE_PROTECT, INVALID_HANDLE_VALUE);
  }
  if (target.exists) {
    const DWORD attributes = machine_.Attributes(target.windowsPath);
    const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    // Replacing a hidden or system file must restate those attributes.
    const bool dropsHidden =
        creation == CREATE_ALWAYS && (attributes & hiddenOrSystem & ~flags) != 0;
    if (((writes || truncates) && (attributes & FILE_ATTRIBUTE_READONLY)) || dropsHidden) {
      return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    if ((writes || truncates) && machine_.InUse(target.windowsPath)) {
      return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
    }
  }
  if (creates || truncates) {
    std::ofstream(target.hostPath, std::ios::binary | std::ios::trunc);
    machine_.SetAttributes(target.windowsPath,
                           (flags & kSettableAttributes) | FILE_ATTRIBUTE_ARCHIVE);
  }
  auto file = std::make_unique<OpenFile>();
  file->writable = writes;
  file->stream.open(target.hostPath,
                    std::ios::binary | std::ios::in | (writes ? std::ios::out : std::ios::in));
  if (!file->stream.is_open()) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  const HANDLE handle = NewHandle();
  files_[handle] = std::move(file);
  const bool existed = target.exists && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
  lastError_ = existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
  return handle;
}

BOOL SimKernel32::WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, LPVOID) {
  const auto found = files_.find(file);
  if (found == files_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (written != nullptr) *written = 0;
  if (!found->second->writable) return Fail(ERROR_ACCESS_DENIED, FALSE);
  std::fstream& stream = found->second->stream;
  stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!stream.flush()) return Fail(ERROR_WRITE_FAULT, FALSE);
  if (written != nullptr) *written = size;
  return TRUE;
}

BOOL SimKernel32::CloseHandle(HANDLE object) {
  if (object == GetCurrentProcess()) return TRUE;
  if (files_.erase(object) == 0) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return TRUE;
}

}  // namespace lyn::sim

namespace lyn::sim {

using namespace win;

BOOL SimKernel32::ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, LPVOID) {
  const auto found = files_.find(file);
  if (found == files_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (read != nullptr) *read = 0;
  std::fstream& stream = found->second->stream;
  stream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
  const auto count = static_cast<DWORD>(stream.gcount());
  if (stream.bad()) return Fail(ERROR_INVALID_DATA, FALSE);
  stream.clear();  // the end of the file is a read of 0 bytes, not an error
  if (read != nullptr) *read = count;
  return TRUE;
}

std::optional<ResolvedPath> SimKernel32::ExistingForChange(LPCSTR path) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER, std::nullopt);
  ResolvedPath resolved;
  try {
    resolved = machine_.Resolve(machine_.AnsiToUtf8(path));
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, std::nullopt);
  }
  std::error_code error;
  if (!resolved.exists) {
    const bool folderExists = fs::is_directory(resolved.hostPath.parent_path(), error);
    return Fail(folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND, std::nullopt);
  }
  if (IsReadOnlyVolume(machine_, resolved.drive)) return Fail(ERROR_WRITE_PROTECT, std::nullopt);
  return resolved;
}

BOOL SimKernel32::DeleteFileA(LPCSTR path) {
  const std::optional<ResolvedPath> file = ExistingForChange(path);
  if (!file) return FALSE;
  std::error_code error;
  if (fs::is_directory(file->hostPath, error) ||
      (machine_.Attributes(file->windowsPath) & FILE_ATTRIBUTE_READONLY) != 0) {
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  if (machine_.InUse(file->windowsPath)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  if (!fs::remove(file->hostPath, error)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  machine_.SetAttributes(file->windowsPath, FILE_ATTRIBUTE_ARCHIVE);
  return TRUE;
}

BOOL SimKernel32::RemoveDirectoryA(LPCSTR path) {
  const std::optional<ResolvedPath> folder = ExistingForChange(path);
  if (!folder) return FALSE;
  std::error_code error;
  if (!fs::is_directory(folder->hostPath, error)) return Fail(ERROR_DIRECTORY, FALSE);
  if (!fs::is_empty(folder->hostPath, error)) return Fail(ERROR_DIR_NOT_EMPTY, FALSE);
  if ((machine_.Attributes(folder->windowsPath) & FILE_ATTRIBUTE_READONLY) != 0 ||
      !fs::remove(folder->hostPath, error)) {
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  machine_.SetAttributes(folder->windowsPath, 0);
  return TRUE;
}

// Moves a file at once. The machine has no restarts, so a move or deletion
// delayed until the next one is refused.
BOOL SimKernel32::MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
  if ((flags & MOVEFILE_DELAY_UNTIL_REBOOT) != 0 || newName == nullptr) {
    return Fail(ERROR_NOT_SUPPORTED, FALSE);
  }
  const std::optional<ResolvedPath> source = ExistingForChange(existing);
  if (!source) return FALSE;
  ResolvedPath target;
  try {
    target = machine_.Resolve(machine_.AnsiToUtf8(newName));
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  }
  std::error_code error;
  if (!fs::is_directory(target.hostPath.parent_path(), error)) {
    return Fail(ERROR_PATH_NOT_FOUND, FALSE);
  }
  if (target.exists) {
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (fs::is_directory(target.hostPath, error) ||
        (machine_.Attributes(target.windowsPath) & FILE_ATTRIBUTE_READONLY) != 0) {
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
  }
  if (machine_.InUse(source->windowsPath)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  const DWORD attributes = machine_.Attributes(source->windowsPath);
  fs::rename(source->hostPath, target.hostPath, error);
  if (error) return Fail(ERROR_ACCESS_DENIED, FALSE);
  machine_.SetAttributes(target.windowsPath, attributes);
  machine_.SetAttributes(source->windowsPath, FILE_ATTRIBUTE_ARCHIVE);
  return TRUE;
}

}  // namespace lyn::sim
