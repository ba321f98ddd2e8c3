#include "integration/create_shortcuts.h"

#include <algorithm>

#include "sysinfo/ansi_text.h"
#include "sysinfo/file_presence.h"
#include "sysinfo/special_folders.h"

namespace lyn {
namespace {

constexpr win::LONG CSIDL_DESKTOP = 0x0000;
constexpr win::LONG CSIDL_COMMON_PROGRAMS = 0x0017;
// The lowest show command a shortcut is made with.
constexpr std::int32_t kLowestShowCommand = 3;

// A folder or file of that name exists.
bool PathExists(Platform& platform, const std::string& path) {
  return platform.kernel32.GetFileAttributesA(ToAnsi(platform.kernel32, path).c_str()) !=
         win::INVALID_FILE_ATTRIBUTES;
}

// A folder, or a normal file, of that name exists.
bool FolderOrFileExists(Platform& platform, const std::string& path) {
  const win::DWORD attributes =
      platform.kernel32.GetFileAttributesA(ToAnsi(platform.kernel32, path).c_str());
  return (attributes != win::INVALID_FILE_ATTRIBUTES &&
          (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0) ||
         FileExists(platform, path);
}

std::u16string ToUtf16(win::Kernel32& kernel32, const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int size = kernel32.MultiByteToWideChar(win::CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(std::max(size, 0)), u'\0');
  if (size > 0)
    kernel32.MultiByteToWideChar(win::CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return wide;
}

// Sets the link's data through IShellLinkA, resolves it and saves it.
win::HRESULT WriteLink(Platform& platform, win::IShellLinkA& link, win::IPersistFile& file,
                       const ShortcutData& shortcut) {
  win::Kernel32& kernel32 = platform.kernel32;
  win::HRESULT result = link.SetPath(ToAnsi(kernel32, shortcut.target).c_str());
  if (win::SUCCEEDED(result) && !shortcut.workingFolder.empty()) {
    result = link.SetWorkingDirectory(ToAnsi(kernel32, shortcut.workingFolder).c_str());
  }
  if (win::SUCCEEDED(result) && !shortcut.arguments.empty()) {
    result = link.SetArguments(ToAnsi(kernel32, shortcut.arguments).c_str());
  }
  if (win::SUCCEEDED(result)) {
    result = link.SetDescription(ToAnsi(kernel32, shortcut.description).c_str());
  }
  if (win::SUCCEEDED(result) && !shortcut.iconFile.empty()) {
    result = link.SetIconLocation(ToAnsi(kernel32, shortcut.iconFile).c_str(), shortcut.iconIndex);
  }
  if (win::SUCCEEDED(result)) result = link.SetShowCmd(shortcut.showCommand);
  if (win::SUCCEEDED(result)) result = link.Resolve(0, win::SLR_UPDATE);
  if (win::SUCCEEDED(result)) {
    result = file.Save(ToUtf16(kernel32, shortcut.link).c_str(), win::FALSE);
  }
  return result;
}

}  // namespace

bool MakeProgramGroup(Platform& platform, SetupState& state) {
  const std::string groupName = state.ProgramFolder.substr(
      std::min(state.ProgramFolder.rfind('\\'), state.ProgramFolder.size()));
  const std::string programs = GetSpecialFolderPath(platform, CSIDL_COMMON_PROGRAMS);
  state.DesktopFolder = GetSpecialFolderPath(platform, CSIDL_DESKTOP);
  state.ProgramGroupFolder = programs + groupName;
  if (!PathExists(platform, programs)) return false;
  if (!PathExists(platform, state.ProgramGroupFolder) &&
      !platform.kernel32.CreateDirectoryA(
          ToAnsi(platform.kernel32, state.ProgramGroupFolder).c_str(), nullptr)) {
    throw ProgramGroupError(state.ProgramGroupFolder, platform.kernel32.GetLastError());
  }
  return true;
}

bool MakeShortcut(Platform& platform, SetupState& state, const ShortcutData& shortcut) {
  const std::string& link = shortcut.link;
  if (link.empty() || shortcut.target.empty() || shortcut.workingFolder.empty() ||
      shortcut.iconFile.empty() || shortcut.showCommand < kLowestShowCommand) {
    state.LastShortcutPath = link + ".lnk";
    return false;
  }
  const std::size_t nameStart = link.rfind('\\') == std::string::npos ? 0 : link.rfind('\\') + 1;
  const std::size_t extension = link.rfind('.');
  if (extension == std::string::npos || extension < nameStart) {
    state.LastShortcutPath = link + ".lnk";
    return false;
  }
  ShortcutData file = shortcut;
  file.link = link.substr(0, extension) + ".lnk";
  state.LastShortcutPath = file.link;
  if (FileExists(platform, file.link)) return true;
  const std::string workingFolder =
      shortcut.workingFolder.substr(0, shortcut.workingFolder.size() - 1);
  if (!FileExists(platform, shortcut.target) || !FileExists(platform, shortcut.iconFile) ||
      !FolderOrFileExists(platform, workingFolder)) {
    return false;
  }
  return CreateShellLink(platform, file);
}

bool CreateShellLink(Platform& platform, const ShortcutData& shortcut) {
  if (shortcut.link.empty() || shortcut.target.empty()) return false;
  win::Com& com = platform.com;
  const win::HRESULT started = com.CoInitialize(nullptr);
  void* object = nullptr;
  bool saved = false;
  if (win::SUCCEEDED(com.CoCreateInstance(win::CLSID_ShellLink, nullptr, win::CLSCTX_INPROC_SERVER,
                                          win::IID_IShellLinkA, &object))) {
    auto* link = static_cast<win::IShellLinkA*>(object);
    void* persist = nullptr;
    if (win::SUCCEEDED(link->QueryInterface(win::IID_IPersistFile, &persist))) {
      auto* file = static_cast<win::IPersistFile*>(persist);
      saved = win::SUCCEEDED(WriteLink(platform, *link, *file, shortcut));
      file->Release();
    }
    link->Release();
  }
  if (win::SUCCEEDED(started)) com.CoUninitialize();
  return saved;
}

}  // namespace lyn
