#include "platform/sim/advapi32_registry_sim.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/last_error.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_access.h"

namespace lyn::sim {

using namespace win;

SimAdvapi32Registry::SimAdvapi32Registry(const Machine& machine)
    : machine_(machine), registry_(machine.State()) {
  const std::pair<HKEY, const char*> roots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                                {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                                {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                                                {HKEY_USERS, "HKEY_USERS"},
                                                {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};
  for (const auto& [handle, name] : roots) roots_[handle] = OpenKey{{name}, false, KEY_ALL_ACCESS};
}

const SimAdvapi32Registry::OpenKey* SimAdvapi32Registry::Find(HKEY key) const {
  for (const auto* table : {&roots_, &handles_}) {
    const auto found = table->find(key);
    if (found != table->end()) return &found->second;
  }
  return nullptr;
}

std::string SimAdvapi32Registry::Name(LPCSTR ansi) const {
  return ansi == nullptr ? std::string() : machine_.AnsiToUtf8(ansi);
}

LONG SimAdvapi32Registry::Below(const OpenKey& base, LPCSTR subKey, REGSAM desired,
                                OpenKey* named) const {
  const std::string path = Name(subKey);
  if (!path.empty() && path.front() == '\\') return ERROR_BAD_PATHNAME;
  named->path = base.path;
  for (std::string& name : SplitKeyNames(path)) named->path.push_back(std::move(name));
  named->view64 = base.view64 || (desired & KEY_WOW64_64KEY) != 0;
  return ERROR_SUCCESS;
}

std::string SimAdvapi32Registry::Physical(const OpenKey& key) const {
  std::vector<std::string> path = key.path;
  const bool redirected = machine_.profile().Wow64 && !key.view64 && path.size() > 2 &&
                          path[0] == "HKEY_LOCAL_MACHINE" && EqualFolded(path[1], "SOFTWARE") &&
                          !EqualFolded(path[2], "Wow6432Node");
  if (redirected) path.insert(path.begin() + 2, "Wow6432Node");
  return JoinKeyPath(path);
}

LONG SimAdvapi32Registry::Open(HKEY key, LPCSTR subKey, REGSAM desired, bool create, HKEY* result) {
  return Guarded(
      [](DWORD error) { return static_cast<LONG>(error); },
      [&]() -> LONG {
        if (result == nullptr) return ERROR_INVALID_PARAMETER;
        const OpenKey* base = Find(key);
        if (base == nullptr) return ERROR_INVALID_HANDLE;
        OpenKey named;
        if (const LONG error = Below(*base, subKey, desired, &named); error != ERROR_SUCCESS) {
          return error;
        }
        const std::string physical = Physical(named);
        if (!registry_.FindKey(physical)) {
          if (!create) return ERROR_FILE_NOT_FOUND;
          if (!MayCreateKey(machine_, physical)) return ERROR_ACCESS_DENIED;
          // Each key made gets the owner and list Windows gives a new key, the
          // upper ones first.
          std::vector<std::string> made;
          for (std::vector<std::string> above = SplitKeyPath(physical);
               above.size() > 1 && !registry_.FindKey(JoinKeyPath(above)); above.pop_back()) {
            made.insert(made.begin(), JoinKeyPath(above));
          }
          registry_.CreateKey(physical);
          for (const std::string& keyPath : made) KeyCreated(machine_, keyPath);
        }
        if (desired == MAXIMUM_ALLOWED) {
          named.granted = MaximumKeyAccess(machine_, physical);
          if (named.granted == 0) return ERROR_ACCESS_DENIED;
        } else if (!MayOpenKey(machine_, physical, desired)) {
          return ERROR_ACCESS_DENIED;
        } else {
          named.granted = desired;
        }
        *result = nextHandle_;
        nextHandle_ += 4;
        handles_[*result] = std::move(named);
        return ERROR_SUCCESS;
      });
}

LONG SimAdvapi32Registry::RegOpenKeyA(HKEY key, LPCSTR subKey, HKEY* result) {
  return Open(key, subKey, MAXIMUM_ALLOWED, false, result);
}

LONG SimAdvapi32Registry::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired,
                                        HKEY* result) {
  return Open(key, subKey, desired, false, result);
}

LONG SimAdvapi32Registry::RegCreateKeyA(HKEY key, LPCSTR subKey, HKEY* result) {
  return Open(key, subKey, MAXIMUM_ALLOWED, true, result);
}

LONG SimAdvapi32Registry::RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type,
                                           BYTE* data, DWORD* size) {
  return Guarded([](DWORD error) { return static_cast<LONG>(error); },
                 [&]() -> LONG {
                   const OpenKey* open = Find(key);
                   if (open == nullptr) return ERROR_INVALID_HANDLE;
                   if (reserved != nullptr || (data != nullptr && size == nullptr))
                     return ERROR_INVALID_PARAMETER;
                   if ((open->granted & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
                   const std::string physical = Physical(*open);
                   if (!registry_.FindKey(physical)) return ERROR_KEY_DELETED;
                   const auto value = registry_.GetValue(physical, Name(valueName));
                   if (!value) return ERROR_FILE_NOT_FOUND;
                   if (type != nullptr) *type = value->type;
                   const auto needed = static_cast<DWORD>(value->data.size());
                   if (data != nullptr) {
                     if (*size < needed) {
                       *size = needed;
                       return ERROR_MORE_DATA;
                     }
                     std::copy(value->data.begin(), value->data.end(), data);
                   }
                   if (size != nullptr) *size = needed;
                   return ERROR_SUCCESS;
                 });
}

LONG SimAdvapi32Registry::RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type,
                                         const BYTE* data, DWORD size) {
  return Guarded([](DWORD error) { return static_cast<LONG>(error); },
                 [&]() -> LONG {
                   const OpenKey* open = Find(key);
                   if (open == nullptr) return ERROR_INVALID_HANDLE;
                   if ((open->granted & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
                   if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
                   const std::string physical = Physical(*open);
                   if (!registry_.FindKey(physical)) return ERROR_KEY_DELETED;
                   RegistryValue value{Name(valueName), type, {}};
                   if (data != nullptr) value.data.assign(data, data + size);
                   registry_.SetValue(physical, value);
                   return ERROR_SUCCESS;
                 });
}

LONG SimAdvapi32Registry::RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  return Guarded([](DWORD error) { return static_cast<LONG>(error); },
                 [&]() -> LONG {
                   const OpenKey* base = Find(key);
                   if (base == nullptr) return ERROR_INVALID_HANDLE;
                   if (subKey == nullptr || *subKey == '\0') return ERROR_INVALID_PARAMETER;
                   OpenKey named;
                   if (const LONG error = Below(*base, subKey, 0, &named); error != ERROR_SUCCESS)
                     return error;
                   const std::string physical = Physical(named);
                   if (!registry_.FindKey(physical)) return ERROR_FILE_NOT_FOUND;
                   if (!MayDeleteKey(machine_, physical) || registry_.HasSubkeys(physical)) {
                     return ERROR_ACCESS_DENIED;
                   }
                   registry_.DeleteTree(physical);
                   return ERROR_SUCCESS;
                 });
}

LONG SimAdvapi32Registry::RegCloseKey(HKEY key) {
  if (roots_.count(key) != 0) return ERROR_SUCCESS;
  return handles_.erase(key) != 0 ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

}  // namespace lyn::sim
