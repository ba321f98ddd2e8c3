#include "platform/sim/shell_link/shell_link_object.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/files/file_layer.h"
#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/code_page.h"
#include "platform/sim/machine/file_time.h"

namespace lyn::sim {
using namespace win;

namespace {

std::string Text(const Machine& machine, LPCSTR ansi) {
  return ansi == nullptr ? std::string() : machine.AnsiToUtf8(ansi);
}

}  // namespace

HRESULT ShellLinkObject::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IShellLinkA) {
    *object = static_cast<IShellLinkA*>(this);
  } else if (iid == IID_IPersistFile) {
    *object = static_cast<IPersistFile*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ShellLinkObject::AddRef() {
  return ++references_;
}

ULONG ShellLinkObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT ShellLinkObject::Copy(const std::string& utf8, LPSTR buffer, int size) const {
  if (buffer == nullptr || size <= 0) return E_INVALIDARG;
  const std::string ansi = machine_.Utf8ToAnsi(utf8);
  const std::size_t length = std::min(ansi.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, ansi.data(), length);
  buffer[length] = '\0';
  return S_OK;
}

HRESULT ShellLinkObject::GetPath(LPSTR file, int size, WIN32_FIND_DATAA*, DWORD) {
  if (target_.empty()) {
    if (file != nullptr && size > 0) *file = '\0';
    return S_FALSE;
  }
  return Copy(target_, file, size);
}

HRESULT ShellLinkObject::GetIDList(void** idList) {
  if (idList != nullptr) *idList = nullptr;
  return E_NOTIMPL;
}

HRESULT ShellLinkObject::SetIDList(const void*) {
  return E_NOTIMPL;
}

HRESULT ShellLinkObject::Store(std::string& field, LPCSTR text) {
  field = Text(machine_, text);
  dirty_ = true;
  return S_OK;
}

HRESULT ShellLinkObject::GetDescription(LPSTR name, int size) {
  return Copy(data_.description, name, size);
}

HRESULT ShellLinkObject::SetDescription(LPCSTR name) {
  return Store(data_.description, name);
}

HRESULT ShellLinkObject::GetWorkingDirectory(LPSTR dir, int size) {
  return Copy(data_.workingDirectory, dir, size);
}

HRESULT ShellLinkObject::SetWorkingDirectory(LPCSTR dir) {
  return Store(data_.workingDirectory, dir);
}

HRESULT ShellLinkObject::GetArguments(LPSTR args, int size) {
  return Copy(data_.arguments, args, size);
}

HRESULT ShellLinkObject::SetArguments(LPCSTR args) {
  return Store(data_.arguments, args);
}

HRESULT ShellLinkObject::GetHotkey(WORD* hotkey) {
  if (hotkey == nullptr) return E_POINTER;
  *hotkey = hotkey_;
  return S_OK;
}

HRESULT ShellLinkObject::SetHotkey(WORD hotkey) {
  hotkey_ = hotkey;
  dirty_ = true;
  return S_OK;
}

HRESULT ShellLinkObject::GetShowCmd(int* showCmd) {
  if (showCmd == nullptr) return E_POINTER;
  *showCmd = data_.showCommand;
  return S_OK;
}

HRESULT ShellLinkObject::SetShowCmd(int showCmd) {
  data_.showCommand = showCmd;
  dirty_ = true;
  return S_OK;
}

HRESULT ShellLinkObject::GetIconLocation(LPSTR iconPath, int size, int* icon) {
  if (icon == nullptr) return E_POINTER;
  *icon = data_.iconIndex;
  return Copy(data_.iconLocation, iconPath, size);
}

HRESULT ShellLinkObject::SetIconLocation(LPCSTR iconPath, int icon) {
  data_.iconLocation = Text(machine_, iconPath);
  data_.iconIndex = icon;
  dirty_ = true;
  return S_OK;
}

HRESULT ShellLinkObject::SetRelativePath(LPCSTR, DWORD) {
  return S_OK;
}

HRESULT ShellLinkObject::Resolve(HWND, DWORD) {
  return Guarded([](DWORD error) { return HRESULT_FROM_WIN32(error); },
                 [&]() -> HRESULT {
                   ResolvedPath target;
                   if (FileLayer(machine_).Resolve(target_, target) != ERROR_SUCCESS) {
                     return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
                   }
                   return target.exists ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
                 });
}

HRESULT ShellLinkObject::SetPath(LPCSTR file) {
  if (file == nullptr) return E_INVALIDARG;
  target_ = Text(machine_, file);
  dirty_ = true;
  return S_OK;
}

HRESULT ShellLinkObject::GetClassID(CLSID* classId) {
  if (classId == nullptr) return E_POINTER;
  *classId = CLSID_ShellLink;
  return S_OK;
}

HRESULT ShellLinkObject::IsDirty() {
  return dirty_ ? S_OK : S_FALSE;
}

HRESULT ShellLinkObject::Load(const char16_t*, DWORD) {
  return E_NOTIMPL;
}

HRESULT ShellLinkObject::Save(const char16_t* fileName, BOOL) {
  return Guarded([](DWORD error) { return HRESULT_FROM_WIN32(error); },
                 [&]() -> HRESULT {
                   if (fileName == nullptr) return E_INVALIDARG;
                   const std::string name =
                       EncodeText(kUtf8CodePage, std::u16string_view(fileName), "?")->bytes;
                   ShellLinkData link = data_;
                   link.targetAnsi = machine_.Utf8ToAnsi(target_);
                   const FileLayer files(machine_);
                   ResolvedPath file;
                   if (files.Resolve(name, file) != ERROR_SUCCESS)
                     return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
                   if (!target_.empty()) {
                     ResolvedPath target;
                     if (files.Resolve(target_, target) != ERROR_SUCCESS) {
                       return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
                     }
                     const auto drive = machine_.profile().drives.find(target.drive);
                     if (drive != machine_.profile().drives.end()) {
                       link.driveType = EqualFolded(drive->second.fileSystem, "CDFS") ? DRIVE_CDROM
                                                                                      : DRIVE_FIXED;
                       link.driveSerialNumber = drive->second.serialNumber;
                       link.volumeLabelAnsi = machine_.Utf8ToAnsi(drive->second.volumeName);
                     }
                     if (target.exists) {
                       link.targetAttributes = machine_.Attributes(target);
                       if (const auto status = machine_.drives().Status(target.drivePath)) {
                         if (!status->folder) link.targetSize = static_cast<DWORD>(status->size);
                         const FILETIME written = ToFileTime(status->modified);
                         link.creationTime = written;
                         link.accessTime = written;
                         link.writeTime = written;
                       }
                     }
                   }
                   const DWORD error =
                       files.WriteWhole(file, EncodeShellLink(link), FILE_ATTRIBUTE_ARCHIVE);
                   if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
                   dirty_ = false;
                   return S_OK;
                 });
}

HRESULT ShellLinkObject::SaveCompleted(const char16_t*) {
  return S_OK;
}

HRESULT ShellLinkObject::GetCurFile(char16_t** fileName) {
  if (fileName != nullptr) *fileName = nullptr;
  return E_NOTIMPL;
}

}  // namespace lyn::sim
