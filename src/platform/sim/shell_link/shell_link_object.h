// The emulated shell link object: IShellLinkA keeps the shortcut's data,
// IPersistFile::Save writes it as a .lnk file of the machine. The object
// deletes itself when its last reference is released.
#pragma once

#include <atomic>
#include <string>

#include "platform/api/com.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/shell_link/lnk_format.h"

namespace lyn::sim {

class ShellLinkObject final : public win::IShellLinkA, public win::IPersistFile {
 public:
  // Made with one reference.
  explicit ShellLinkObject(const Machine& machine) : machine_(machine) {}

  win::HRESULT LYN_CALLBACK QueryInterface(const win::IID& iid, void** object) override;
  win::ULONG LYN_CALLBACK AddRef() override;
  win::ULONG LYN_CALLBACK Release() override;

  win::HRESULT LYN_CALLBACK GetPath(win::LPSTR file, int size, win::WIN32_FIND_DATAA* data,
                                    win::DWORD flags) override;
  win::HRESULT LYN_CALLBACK GetIDList(void** idList) override;
  win::HRESULT LYN_CALLBACK SetIDList(const void* idList) override;
  win::HRESULT LYN_CALLBACK GetDescription(win::LPSTR name, int size) override;
  win::HRESULT LYN_CALLBACK SetDescription(win::LPCSTR name) override;
  win::HRESULT LYN_CALLBACK GetWorkingDirectory(win::LPSTR dir, int size) override;
  win::HRESULT LYN_CALLBACK SetWorkingDirectory(win::LPCSTR dir) override;
  win::HRESULT LYN_CALLBACK GetArguments(win::LPSTR args, int size) override;
  win::HRESULT LYN_CALLBACK SetArguments(win::LPCSTR args) override;
  win::HRESULT LYN_CALLBACK GetHotkey(win::WORD* hotkey) override;
  win::HRESULT LYN_CALLBACK SetHotkey(win::WORD hotkey) override;
  win::HRESULT LYN_CALLBACK GetShowCmd(int* showCmd) override;
  win::HRESULT LYN_CALLBACK SetShowCmd(int showCmd) override;
  win::HRESULT LYN_CALLBACK GetIconLocation(win::LPSTR iconPath, int size, int* icon) override;
  win::HRESULT LYN_CALLBACK SetIconLocation(win::LPCSTR iconPath, int icon) override;
  win::HRESULT LYN_CALLBACK SetRelativePath(win::LPCSTR relativePath, win::DWORD reserved) override;
  // S_OK when the target exists; the machine shows no search dialog.
  win::HRESULT LYN_CALLBACK Resolve(win::HWND window, win::DWORD flags) override;
  win::HRESULT LYN_CALLBACK SetPath(win::LPCSTR file) override;

  win::HRESULT LYN_CALLBACK GetClassID(win::CLSID* classId) override;
  win::HRESULT LYN_CALLBACK IsDirty() override;
  win::HRESULT LYN_CALLBACK Load(const char16_t* fileName, win::DWORD mode) override;
  // Writes the file; its folder must exist.
  win::HRESULT LYN_CALLBACK Save(const char16_t* fileName, win::BOOL remember) override;
  win::HRESULT LYN_CALLBACK SaveCompleted(const char16_t* fileName) override;
  win::HRESULT LYN_CALLBACK GetCurFile(char16_t** fileName) override;

 private:
  win::HRESULT Copy(const std::string& utf8, win::LPSTR buffer, int size) const;
  // Keeps an ANSI text of the program as UTF-8 in `field`; the link changed.
  win::HRESULT Store(std::string& field, win::LPCSTR text);

  const Machine& machine_;
  std::atomic<win::ULONG> references_{1};
  // Texts as UTF-8; the target also as the program gave it, in ANSI.
  ShellLinkData data_;
  std::string target_;
  win::WORD hotkey_ = 0;
  bool dirty_ = false;
};

}  // namespace lyn::sim
