#include "platform/win32/com_win32.h"

// After the seam's headers: the platform's macros would rename their names.
#include <objbase.h>

namespace lyn::win32 {

static_assert(sizeof(win::GUID) == sizeof(::GUID));

// The objects CoCreateInstance returns are the platform's own: the shell link
// implements IUnknown (QueryInterface, AddRef, Release), IShellLinkA
// (GetPath, GetIDList, SetIDList, GetDescription, SetDescription,
// GetWorkingDirectory, SetWorkingDirectory, GetArguments, SetArguments,
// GetHotkey, SetHotkey, GetShowCmd, SetShowCmd, GetIconLocation,
// SetIconLocation, SetRelativePath, Resolve, SetPath) and IPersistFile
// (GetClassID, IsDirty, Load, Save, SaveCompleted, GetCurFile) in the
// published method order and calling convention, which the seam's interfaces
// declare; the program calls them through those declarations as they are, so
// this backend has nothing of its own to add for them.

win::HRESULT Win32Com::CoInitialize(win::LPVOID reserved) {
  return ::CoInitialize(reserved);
}

void Win32Com::CoUninitialize() {
  ::CoUninitialize();
}

win::HRESULT Win32Com::CoCreateInstance(const win::CLSID& classId, win::IUnknown* outer,
                                        win::DWORD context, const win::IID& iid,
                                        win::LPVOID* object) {
  return ::CoCreateInstance(reinterpret_cast<const ::GUID&>(classId),
                            reinterpret_cast<::IUnknown*>(outer), context,
                            reinterpret_cast<const ::GUID&>(iid), object);
}

}  // namespace lyn::win32
