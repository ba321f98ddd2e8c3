// The registry operations of the emulated advapi32, over the machine's
// registry. Handles belong to this process. A 32-bit program on a 64-bit
// machine sees HKEY_LOCAL_MACHINE\SOFTWARE's keys under its Wow6432Node,
// unless it opens a key with KEY_WOW64_64KEY.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/api/advapi32_registry.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {

class SimAdvapi32Registry : public win::Advapi32Registry {
 public:
  explicit SimAdvapi32Registry(const Machine& machine);

  win::LONG RegOpenKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
  win::LONG RegOpenKeyExA(win::HKEY key, win::LPCSTR subKey, win::DWORD options,
                          win::REGSAM desired, win::HKEY* result) override;
  win::LONG RegCreateKeyA(win::HKEY key, win::LPCSTR subKey, win::HKEY* result) override;
  win::LONG RegQueryValueExA(win::HKEY key, win::LPCSTR valueName, win::DWORD* reserved,
                             win::DWORD* type, win::BYTE* data, win::DWORD* size) override;
  win::LONG RegSetValueExA(win::HKEY key, win::LPCSTR valueName, win::DWORD reserved,
                           win::DWORD type, const win::BYTE* data, win::DWORD size) override;
  win::LONG RegDeleteKeyA(win::HKEY key, win::LPCSTR subKey) override;
  win::LONG RegCloseKey(win::HKEY key) override;

 private:
  // An open key: its path as the program named it, the view it was opened
  // in, and the access it was granted.
  struct OpenKey {
    std::vector<std::string> path;
    bool view64 = false;
    win::REGSAM granted = 0;
  };

  // The open key behind a handle or a predefined root; null when neither.
  const OpenKey* Find(win::HKEY key) const;
  // The key a sub-key path names below an open key, or an error code.
  win::LONG Below(const OpenKey& base, win::LPCSTR subKey, win::REGSAM desired,
                  OpenKey* named) const;
  // The physical key path of a key in its view.
  std::string Physical(const OpenKey& key) const;
  win::LONG Open(win::HKEY key, win::LPCSTR subKey, win::REGSAM desired, bool create,
                 win::HKEY* result);
  std::string Name(win::LPCSTR ansi) const;

  const Machine& machine_;
  RegistryStore registry_;
  std::map<win::HKEY, OpenKey> roots_;
  std::map<win::HKEY, OpenKey> handles_;
  win::HKEY nextHandle_ = 0x100;
};

}  // namespace lyn::sim
