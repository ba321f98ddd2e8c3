// The file operations of the emulated kernel32: directory searches,
// attributes, and files opened for reading or writing.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/sim/files/host_errors.h"
#include "platform/sim/kernel32_sim.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/file_time.h"
#include "platform/sim/machine/wildcard.h"
#include "platform/sim/machine/windows_names.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;

// The device the last name of a path stands for, if any.
std::optional<std::string> DeviceOf(std::string_view path) {
  const auto separator = path.find_last_of(":\\/");
  return DeviceName(separator == std::string_view::npos ? path : path.substr(separator + 1));
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
  // Both come in the order Windows' file systems list a folder.
  std::vector<HostEntry> own;
  if (plainName) {
    if (auto entry = machine_.drives().Find(folder.drivePath, namePattern)) {
      own.push_back(std::move(*entry));
    }
  } else if (machine_.drives().List(folder.drivePath, own) != 0) {
    return Fail(ERROR_PATH_NOT_FOUND, std::vector<WIN32_FIND_DATAA>{});
  }
  // Links are left out: the machine follows none, wherever they point.
  const WildcardPattern wildcard(namePattern);
  std::erase_if(own, [&wildcard](const HostEntry& entry) {
    return entry.status.link || !wildcard.Matches(entry.name);
  });
  // The folder's own entries take their marks from one reading of the store.
  const std::vector<DWORD> ownAttributes =
      own.empty() ? std::vector<DWORD>() : machine_.Attributes(folder, own);
  std::vector<HostEntry> matched;
  std::vector<DWORD> attributes;
  // A folder below a drive root lists itself and its parent first.
  if (folder.windowsPath.size() > 3) {
    for (const std::string_view name : {".", ".."}) {
      if (!wildcard.Matches(name)) continue;
      const ResolvedPath path = name == "." ? folder : machine_.Resolve(folder.parentPath);
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
  entries.reserve(matched.size());
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
        return Fail(resolved.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
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

HANDLE SimKernel32::CreateFileA(LPCSTR path, DWORD access, DWORD share, LPVOID, DWORD creation,
                                DWORD flags, HANDLE) {
  return Guarded(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
    if (path == nullptr || creation < CREATE_NEW || creation > TRUNCATE_EXISTING) {
      return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    if (const DWORD error = PathNameError(path)) return Fail(error, INVALID_HANDLE_VALUE);
    auto file = std::make_unique<OpenFile>();
    file->writable = (MapGeneric(access, kFileMapping) & (FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
    // "NUL" in any folder, with any extension, opens the null device, which
    // takes every write; the machine has no console, port or printer.
    if (const auto device = DeviceOf(path)) {
      if (*device != "NUL") return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
      const HANDLE handle = NewHandle();
      files_[handle] = std::move(file);
      SetLastError(ERROR_SUCCESS);
      return handle;
    }
    const FileLayer files(machine_);
    ResolvedPath target;
    if (const DWORD error = files.Resolve(machine_.AnsiToUtf8(path), target)) {
      return Fail(error, INVALID_HANDLE_VALUE);
    }
    const DWORD attributes = (flags & kSettableAttributes) | FILE_ATTRIBUTE_ARCHIVE;
    if (const DWORD error = files.Open(target, access, share, creation, attributes, file->opened)) {
      return Fail(error, INVALID_HANDLE_VALUE);
    }
    const HANDLE handle = NewHandle();
    const bool existed =
        file->opened.existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
    files_[handle] = std::move(file);
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
    if (found->second->opened.fd.valid()) {
      const DWORD error = FileLayer(machine_).Write(found->second->opened, data, size);
      if (error != ERROR_SUCCESS) return Fail(error, FALSE);
    }
    if (written != nullptr) *written = size;
    return TRUE;
  });
}

BOOL SimKernel32::CloseHandle(HANDLE object) {
  if (object == GetCurrentProcess()) return TRUE;
  return Guarded(FALSE, [&]() -> BOOL {
    if (files_.erase(object) == 0) return Fail(ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
  });
}

BOOL SimKernel32::ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, LPVOID) {
  return Guarded(FALSE, [&]() -> BOOL {
    const auto found = files_.find(file);
    if (found == files_.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (read != nullptr) *read = 0;
    if (!found->second->opened.fd.valid()) return TRUE;  // the null device reads nothing
    std::size_t count = 0;
    if (const int error =
            machine_.drives().ReadSome(found->second->opened.fd.get(), buffer, size, count)) {
      return Fail(WindowsErrorOfHost(-error), FALSE);
    }
    if (read != nullptr) *read = static_cast<DWORD>(count);
    return TRUE;
  });
}

// The path's name checked and resolved, the layer's answer as the last error.
template <typename Change>
BOOL SimKernel32::ChangePath(LPCSTR path, DWORD nullPathError, Change&& change) {
  return Guarded(FALSE, [&]() -> BOOL {
    if (path == nullptr) return Fail(nullPathError, FALSE);
    if (const DWORD error = PathNameError(path)) return Fail(error, FALSE);
    const FileLayer files(machine_);
    ResolvedPath resolved;
    DWORD error = files.Resolve(machine_.AnsiToUtf8(path), resolved);
    if (error == ERROR_SUCCESS) error = change(files, resolved);
    if (error != ERROR_SUCCESS) return Fail(error, FALSE);
    return TRUE;
  });
}

BOOL SimKernel32::CreateDirectoryA(LPCSTR path, LPVOID) {
  return ChangePath(path, ERROR_PATH_NOT_FOUND, [](const FileLayer& files, const ResolvedPath& p) {
    return files.MakeFolder(p);
  });
}

BOOL SimKernel32::DeleteFileA(LPCSTR path) {
  return ChangePath(
      path, ERROR_INVALID_PARAMETER,
      [](const FileLayer& files, const ResolvedPath& p) { return files.DeleteFile(p); });
}

BOOL SimKernel32::RemoveDirectoryA(LPCSTR path) {
  return ChangePath(
      path, ERROR_INVALID_PARAMETER,
      [](const FileLayer& files, const ResolvedPath& p) { return files.RemoveFolder(p); });
}

// The machine has no restarts: a change delayed until the next one, the only
// move the uninstaller asks for, is refused. Other moves rename on one drive.
BOOL SimKernel32::MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
  if ((flags & MOVEFILE_DELAY_UNTIL_REBOOT) != 0) return Fail(ERROR_NOT_SUPPORTED, FALSE);
  if (newName == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (const DWORD error = PathNameError(newName)) return Fail(error, FALSE);
  return ChangePath(existing, ERROR_INVALID_PARAMETER,
                    [&](const FileLayer& files, const ResolvedPath& from) {
                      ResolvedPath to;
                      if (const DWORD error = files.Resolve(machine_.AnsiToUtf8(newName), to)) {
                        return error;
                      }
                      return files.Move(from, to, (flags & MOVEFILE_REPLACE_EXISTING) != 0);
                    });
}

}  // namespace lyn::sim
