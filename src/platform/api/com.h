// COM as the program uses it: the library's start and end, the creation of
// the shell link object, and that object's IShellLinkA and IPersistFile
// interfaces. The interfaces are abstract classes with the published method
// order and calling convention, so that a pointer the platform hands out can
// be used through them as it is.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];

  friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;
using IID = GUID;

constexpr CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);

constexpr bool SUCCEEDED(HRESULT result) {
  return result >= 0;
}
constexpr bool FAILED(HRESULT result) {
  return result < 0;
}
// An HRESULT carrying a system error code (FACILITY_WIN32).
constexpr HRESULT HRESULT_FROM_WIN32(DWORD error) {
  return error == 0 ? S_OK : static_cast<HRESULT>((error & 0xFFFF) | 0x80070000);
}

// Show-window values a shortcut stores.
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWMINNOACTIVE = 7;

// IShellLinkA::Resolve flags.
constexpr DWORD SLR_NO_UI = 0x1;
constexpr DWORD SLR_UPDATE = 0x4;

// Interfaces are released, never deleted through these classes.
class IUnknown {
 public:
  virtual HRESULT LYN_CALLBACK QueryInterface(const IID& iid, void** object) = 0;
  virtual ULONG LYN_CALLBACK AddRef() = 0;
  virtual ULONG LYN_CALLBACK Release() = 0;

 protected:
  ~IUnknown() = default;
};

class IShellLinkA : public IUnknown {
 public:
  virtual HRESULT LYN_CALLBACK GetPath(LPSTR file, int size, WIN32_FIND_DATAA* data,
                                       DWORD flags) = 0;
  virtual HRESULT LYN_CALLBACK GetIDList(void** idList) = 0;
  virtual HRESULT LYN_CALLBACK SetIDList(const void* idList) = 0;
  virtual HRESULT LYN_CALLBACK GetDescription(LPSTR name, int size) = 0;
  virtual HRESULT LYN_CALLBACK SetDescription(LPCSTR name) = 0;
  virtual HRESULT LYN_CALLBACK GetWorkingDirectory(LPSTR dir, int size) = 0;
  virtual HRESULT LYN_CALLBACK SetWorkingDirectory(LPCSTR dir) = 0;
  virtual HRESULT LYN_CALLBACK GetArguments(LPSTR args, int size) = 0;
  virtual HRESULT LYN_CALLBACK SetArguments(LPCSTR args) = 0;
  virtual HRESULT LYN_CALLBACK GetHotkey(WORD* hotkey) = 0;
  virtual HRESULT LYN_CALLBACK SetHotkey(WORD hotkey) = 0;
  virtual HRESULT LYN_CALLBACK GetShowCmd(int* showCmd) = 0;
  virtual HRESULT LYN_CALLBACK SetShowCmd(int showCmd) = 0;
  virtual HRESULT LYN_CALLBACK GetIconLocation(LPSTR iconPath, int size, int* icon) = 0;
  virtual HRESULT LYN_CALLBACK SetIconLocation(LPCSTR iconPath, int icon) = 0;
  virtual HRESULT LYN_CALLBACK SetRelativePath(LPCSTR relativePath, DWORD reserved) = 0;
  virtual HRESULT LYN_CALLBACK Resolve(HWND window, DWORD flags) = 0;
  virtual HRESULT LYN_CALLBACK SetPath(LPCSTR file) = 0;

 protected:
  ~IShellLinkA() = default;
};

class IPersistFile : public IUnknown {
 public:
  // IPersist.
  virtual HRESULT LYN_CALLBACK GetClassID(CLSID* classId) = 0;
  // IPersistFile. File names are UTF-16.
  virtual HRESULT LYN_CALLBACK IsDirty() = 0;
  virtual HRESULT LYN_CALLBACK Load(const char16_t* fileName, DWORD mode) = 0;
  virtual HRESULT LYN_CALLBACK Save(const char16_t* fileName, BOOL remember) = 0;
  virtual HRESULT LYN_CALLBACK SaveCompleted(const char16_t* fileName) = 0;
  virtual HRESULT LYN_CALLBACK GetCurFile(char16_t** fileName) = 0;

 protected:
  ~IPersistFile() = default;
};

class Com {
 public:
  virtual ~Com() = default;

  virtual HRESULT CoInitialize(LPVOID reserved) = 0;
  virtual void CoUninitialize() = 0;
  virtual HRESULT CoCreateInstance(const CLSID& classId, IUnknown* outer, DWORD context,
                                   const IID& iid, LPVOID* object) = 0;
};

}  // namespace lyn::win
