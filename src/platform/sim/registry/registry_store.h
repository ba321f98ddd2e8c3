// The machine's registry as rows of its state store: keys under the
// predefined roots, each with typed values. Paths are full key paths whose
// first component is a root's long name ("HKEY_LOCAL_MACHINE\SOFTWARE");
// names compare case-insensitively and keep the case they were created with.
// This is the physical registry: WOW64 views are the caller's business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api/advapi32_registry.h"
#include "platform/sim/machine/state_store.h"

namespace lyn::sim {

struct RegistryValue {
  std::string name;  // "" is the key's default value
  win::DWORD type = 0;
  std::vector<std::uint8_t> data;

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The long names of the predefined roots, in the order the registry editor
// lists them.
const std::vector<std::string>& RegistryRoots();
// The long name of a root spelt long or short ("HKLM", "hkey_local_machine"),
// or nullopt.
std::optional<std::string> RegistryRootName(std::string_view name);
// The names of a key path. Empty names (doubled or trailing backslashes) are
// dropped.
std::vector<std::string> SplitKeyNames(std::string_view path);
// A full key path's components; a path written with a short root name gets the
// long one.
std::vector<std::string> SplitKeyPath(std::string_view path);
std::string JoinKeyPath(const std::vector<std::string>& components);

// The registry's documented size limits: a key's name holds at most 255
// characters, a tree is at most 512 levels deep below its root, and a value's
// name holds at most 16,383 characters.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxValueNameLength = 16383;
// Why a key path (root first) or a value name is beyond those limits, or
// nullopt when it is within them.
std::optional<std::string> KeyPathBeyondLimits(const std::vector<std::string>& components);
std::optional<std::string> ValueNameBeyondLimits(std::string_view name);

class RegistryStore {
 public:
  explicit RegistryStore(StateStore& store) : store_(store) {}

  // The key's path spelt as it was created, or nullopt when it does not exist.
  std::optional<std::string> FindKey(std::string_view path) const;
  // Makes the key and every missing key above it (the root must exist);
  // returns its path as stored. Throws MachineError for a path beyond the
  // registry's limits.
  std::string CreateKey(std::string_view path) const;
  bool HasSubkeys(std::string_view path) const;
  // Deletes the key, its values and every key below it, with their access
  // lists.
  void DeleteTree(std::string_view path) const;
  // The key and every key below it, each parent before its children.
  std::vector<std::string> Tree(std::string_view path) const;

  std::optional<RegistryValue> GetValue(std::string_view keyPath, std::string_view name) const;
  std::vector<RegistryValue> Values(std::string_view keyPath) const;
  void SetValue(std::string_view keyPath, const RegistryValue& value) const;
  void DeleteValue(std::string_view keyPath, std::string_view name) const;

 private:
  StateStore& store_;
};

}  // namespace lyn::sim
