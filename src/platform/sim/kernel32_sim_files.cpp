// The file operations of the emulated kernel32: directory searches,
// attributes, and files opened for reading or writing.
#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/sim/kernel32_sim.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/file_time.h"
#include "platform/sim/machine/wildcard.h"
#include "platform/sim/machine/windows_names.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

using namespace win;

constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_DIRECTORY = 267;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The folder holding a path's last name, "C" for a drive's root entries.
std::string_view ParentOf(const ResolvedPath& path) {
  const auto slash = path.drivePath.rfind('/');
  return std::string_view(path.drivePath).substr(0, slash == std::string::npos ? 0 : slash);
}

// The device the last name of a path stands for, if any.
std::optional<std::string> DeviceOf(std::string_view path) {
  const auto separator = path.find_last_of(":\\/");
  return DeviceName(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

bool FolderExists(const Machine& machine, std::string_view drivePath) {
  const auto status = machine.drives().Status(drivePath);
  return status && status->folder;
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
  } catch (const StateError&) {
    throw;  // damage in the store is not a bad path: Guarded reports it
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  }
  if (!folder.folder) return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  // A name without wildcards is looked up, not searched for: the cost stays
  // the same whatever the folder's size.
  const bool plainName = namePattern.find_first_of("*?") == std::string::npos &&
                         namePattern != "." && namePattern != "..";
  std::vector<HostEntry> listed;
  if (plainName) {
    if (auto entry = machine_.drives().Find(folder.drivePath, namePattern)) {
      listed.push_back(std::move(*entry));
    }
  } else if (machine_.drives().List(folder.drivePath, listed) != 0) {
    return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  }
  // Links are left out: the machine follows none, wherever they point.
  std::erase_if(listed, [&pattern = namePattern](const HostEntry& entry) {
    return entry.status.link || !MatchesPattern(entry.name, pattern);
  });
  std::vector<std::pair<std::string, HostEntry>> sorted;
  for (HostEntry& entry : listed) sorted.emplace_back(FoldCase(entry.name), std::move(entry));
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<HostEntry> own;
  own.reserve(sorted.size());
  for (auto& [folded, entry] : sorted) own.push_back(std::move(entry));
  // The folder's own entries take their marks from one reading of the store.
  const std::vector<DWORD> ownAttributes =
      own.empty() ? std::vector<DWORD>() : machine_.Attributes(folder, own);
  std::vector<HostEntry> matched;
  std::vector<DWORD> attributes;
  // A folder below a drive root lists itself and its parent first.
  if (folder.windowsPath.size() > 3) {
    for (const std::string_view name : {".", ".."}) {
      if (!MatchesPattern(name, namePattern)) continue;
      const ResolvedPath path =
          name == "." ? folder : machine_.Resolve(folder.windowsPath + "\\..");
      const auto status = machine_.drives().Status(path.drivePath);
      if (!status) continue;
      matched.push_back(HostEntry{std::string(name), *status});
      attributes.push_back(machine_.Attributes(path));
    }
  }
  matched.insert(matched.end(), std::make_move_iterator(own.begin()),
                 std::make_move_iterator(own.end()));
  attributes.insert(attributes.end(), ownAttributes.begin(), ownAttributes.end());
  std::vector<WIN32_FIND_DATAA> entries;
  for (std::size_t i = 0; i < matched.size(); ++i) {
    const HostStatus& status = matched[i].status;
    WIN32_FIND_DATAA data{};
    data.dwFileAttributes = attributes[i];
    data.ftLastWriteTime = ToFileTime(status.modified);
    data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime;
    if (!status.folder) {
      data.nFileSizeHigh = static_cast<DWORD>(status.size >> 32);
      data.nFileSizeLow = static_cast<DWORD>(status.size & 0xFFFFFFFF);
    }
    const std::string ansi = machine_.Utf8ToAnsi(matched[i].name);
    std::memcpy(data.cFileName, ansi.data(), std::min<std::size_t>(ansi.size(), MAX_PATH - 1));
    entries.push_back(data);
  }
  if (entries.empty()) SetLastError(ERROR_FILE_NOT_FOUND);
  return entries;
}

HANDLE SimKernel32::FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  return Guarded(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
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
    SetLastError(ERROR_SUCCESS);
    return handle;
  });
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
  return Guarded(INVALID_FILE_ATTRIBUTES, [&]() -> DWORD {
    if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
    if (const DWORD error = PathNameError(path)) return Fail(error, INVALID_FILE_ATTRIBUTES);
    // Windows answers for the null device as for a plain file; the machine has
    // no other device attached.
    if (const auto device = DeviceOf(path)) {
      if (*device == "NUL") return FILE_ATTRIBUTE_ARCHIVE;
      return Fail(ERROR_FILE_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    }
    try {
      const ResolvedPath resolved = machine_.Resolve(machine_.AnsiToUtf8(path));
      if (!resolved.exists) {
        const bool folderExists = FolderExists(machine_, ParentOf(resolved));
        return Fail(folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
                    INVALID_FILE_ATTRIBUTES);
      }
      return machine_.Attributes(resolved);
    } catch (const StateError&) {
      throw;  // damage in the store is not a bad path: Guarded reports it
    } catch (const MachineError&) {
      return Fail(ERROR_PATH_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    }
  });
}

HANDLE SimKernel32::CreateFileA(LPCSTR path, DWORD access, DWORD, LPVOID, DWORD creation,
                                DWORD flags, HANDLE) {
  return Guarded(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
    if (path == nullptr || creation < CREATE_NEW || creation > TRUNCATE_EXISTING) {
      return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    if (const DWORD error = PathNameError(path)) return Fail(error, INVALID_HANDLE_VALUE);
    // "NUL" in any folder, with any extension, opens the null device, which
    // takes every write; the machine has no console, port or printer.
    if (const auto device = DeviceOf(path)) {
      if (*device != "NUL") return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      auto nullDevice = std::make_unique<OpenFile>();
      nullDevice->writable = IsWriteAccess(access);
      const HANDLE handle = NewHandle();
      files_[handle] = std::move(nullDevice);
      SetLastError(ERROR_SUCCESS);
      return handle;
    }
    ResolvedPath target;
    try {
      target = machine_.Resolve(machine_.AnsiToUtf8(path));
    } catch (const StateError&) {
      throw;  // damage in the store is not a bad path: Guarded reports it
    } catch (const MachineError&) {
      return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    if (!FolderExists(machine_, ParentOf(target))) {
      return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    if (target.folder) {
      return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    if (target.exists && creation == CREATE_NEW)
      return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
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
      const DWORD attributes = machine_.Attributes(target);
      const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
      // Replacing a hidden or system file must restate those attributes.
      const bool dropsHidden =
          creation == CREATE_ALWAYS && (attributes & hiddenOrSystem & ~flags) != 0;
      if (((writes || truncates) && (attributes & FILE_ATTRIBUTE_READONLY)) || dropsHidden) {
        return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
      }
      if ((writes || truncates) && machine_.InUse(target)) {
        return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
      }
    }
    auto file = std::make_unique<OpenFile>();
    file->writable = writes;
    const int mode = writes || truncates ? O_RDWR : O_RDONLY;
    const int how = creates ? O_CREAT | O_EXCL : truncates ? O_TRUNC : 0;
    const int opened = machine_.drives().Open(target.drivePath, mode | how, file->fd);
    if (opened == -EEXIST) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
    if (opened != 0) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    if (creates || truncates) {
      machine_.SetAttributes(target, (flags & kSettableAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    }
    const HANDLE handle = NewHandle();
    files_[handle] = std::move(file);
    const bool existed = target.exists && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
  });
}

BOOL SimKernel32::WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, LPVOID) {
  return Guarded(FALSE, [&]() -> BOOL {
    const auto found = files_.find(file);
    if (found == files_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (written != nullptr) *written = 0;
    if (!found->second->writable) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (!found->second->fd.valid()) {  // the null device
      if (written != nullptr) *written = size;
      return TRUE;
    }
    if (machine_.drives().Write(found->second->fd.get(), data, size) != 0) {
      return Fail(ERROR_WRITE_FAULT, FALSE);
    }
    if (written != nullptr) *written = size;
    return TRUE;
  });
}

BOOL SimKernel32::CloseHandle(HANDLE object) {
  if (object == GetCurrentProcess()) return TRUE;
  if (files_.erase(object) == 0) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return TRUE;
}

BOOL SimKernel32::CreateDirectoryA(LPCSTR path, LPVOID) {
  return Guarded(FALSE, [&]() -> BOOL {
    if (path == nullptr) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (const DWORD error = PathNameError(path)) return Fail(error, FALSE);
    const ResolvedPath target = machine_.Resolve(machine_.AnsiToUtf8(path));
    // A drive root cannot be made.
    if (target.windowsPath.size() <= 3) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (target.exists) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (!FolderExists(machine_, ParentOf(target))) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (IsReadOnlyVolume(machine_, target.drive)) return Fail(ERROR_WRITE_PROTECT, FALSE);
    if (machine_.drives().MakeFolder(target.drivePath) != 0)
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
  });
}

BOOL SimKernel32::ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, LPVOID) {
  return Guarded(FALSE, [&]() -> BOOL {
    const auto found = files_.find(file);
    if (found == files_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (read != nullptr) *read = 0;
    if (!found->second->fd.valid()) return TRUE;  // the null device reads nothing
    std::size_t count = 0;
    if (machine_.drives().ReadSome(found->second->fd.get(), buffer, size, count) != 0) {
      return Fail(ERROR_INVALID_DATA, FALSE);
    }
    if (read != nullptr) *read = static_cast<DWORD>(count);
    return TRUE;
  });
}

// The existing entry a deletion names, on a writable drive; nullopt with the
// last error set otherwise.
std::optional<ResolvedPath> SimKernel32::ExistingForChange(LPCSTR path) {
  if (path == nullptr) return Fail(ERROR_INVALID_PARAMETER, std::nullopt);
  if (const DWORD error = PathNameError(path)) return Fail(error, std::nullopt);
  ResolvedPath resolved;
  try {
    resolved = machine_.Resolve(machine_.AnsiToUtf8(path));
  } catch (const StateError&) {
    throw;  // damage in the store is not a bad path: Guarded reports it
  } catch (const MachineError&) {
    return Fail(ERROR_PATH_NOT_FOUND, std::nullopt);
  }
  if (!resolved.exists) {
    const bool folderExists = FolderExists(machine_, ParentOf(resolved));
    return Fail(folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND, std::nullopt);
  }
  if (IsReadOnlyVolume(machine_, resolved.drive)) return Fail(ERROR_WRITE_PROTECT, std::nullopt);
  return resolved;
}

BOOL SimKernel32::DeleteFileA(LPCSTR path) {
  return Guarded(FALSE, [&]() -> BOOL {
    const std::optional<ResolvedPath> file = ExistingForChange(path);
    if (!file) return FALSE;
    if (file->folder) return Fail(ERROR_ACCESS_DENIED, FALSE);
    const auto [attributes, inUse] = machine_.State().Read([&](const Transaction&) {
      return std::pair(machine_.Attributes(*file), machine_.InUse(*file));
    });
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (inUse) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    if (machine_.drives().Remove(file->drivePath) != 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
    // The path's mark goes back to what a file nobody marked has, unless it
    // already says that.
    if (attributes != FILE_ATTRIBUTE_ARCHIVE) machine_.SetAttributes(*file, FILE_ATTRIBUTE_ARCHIVE);
    return TRUE;
  });
}

BOOL SimKernel32::RemoveDirectoryA(LPCSTR path) {
  return Guarded(FALSE, [&]() -> BOOL {
    const std::optional<ResolvedPath> folder = ExistingForChange(path);
    if (!folder) return FALSE;
    if (!folder->folder) return Fail(ERROR_DIRECTORY, FALSE);
    std::vector<HostEntry> entries;
    if (machine_.drives().List(folder->drivePath, entries) != 0) {
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (!entries.empty()) return Fail(ERROR_DIR_NOT_EMPTY, FALSE);
    const DWORD attributes = machine_.Attributes(*folder);
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0 ||
        machine_.drives().Remove(folder->drivePath) != 0) {
      return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (attributes != FILE_ATTRIBUTE_DIRECTORY) machine_.SetAttributes(*folder, 0);
    return TRUE;
  });
}

// The machine has no restarts and moves nothing: a deletion delayed until the
// next restart, the only move the uninstaller asks for, is refused.
BOOL SimKernel32::MoveFileExA(LPCSTR, LPCSTR, DWORD) {
  return Fail(ERROR_NOT_SUPPORTED, FALSE);
}

}  // namespace lyn::sim
