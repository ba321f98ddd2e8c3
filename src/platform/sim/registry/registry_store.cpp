#include "platform/sim/registry/registry_store.h"

#include <algorithm>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {
namespace {

struct RootName {
  const char* longName;
  const char* shortName;
};

constexpr RootName kRoots[] = {{"HKEY_CLASSES_ROOT", "HKCR"},
                               {"HKEY_CURRENT_USER", "HKCU"},
                               {"HKEY_LOCAL_MACHINE", "HKLM"},
                               {"HKEY_USERS", "HKU"},
                               {"HKEY_CURRENT_CONFIG", "HKCC"}};

// The keys below a folded path sort between the path followed by "\" and the
// path followed by "]", the character after "\".
std::string BelowFrom(const std::string& key) {
  return key + "\\";
}
std::string BelowTo(const std::string& key) {
  return key + "]";
}

}  // namespace

const std::vector<std::string>& RegistryRoots() {
  static const std::vector<std::string> roots = [] {
    std::vector<std::string> names;
    for (const RootName& root : kRoots) names.emplace_back(root.longName);
    return names;
  }();
  return roots;
}

std::optional<std::string> RegistryRootName(std::string_view name) {
  for (const RootName& root : kRoots) {
    if (EqualFolded(name, root.longName) || EqualFolded(name, root.shortName)) {
      return std::string(root.longName);
    }
  }
  return std::nullopt;
}

std::vector<std::string> SplitKeyNames(std::string_view path) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find('\\', start), path.size());
    if (end > start) components.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return components;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> components = SplitKeyNames(path);
  if (!components.empty()) {
    if (const auto root = RegistryRootName(components.front())) components.front() = *root;
  }
  return components;
}

std::string JoinKeyPath(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& component : components) {
    if (!path.empty()) path += '\\';
    path += component;
  }
  return path;
}

std::optional<std::string> KeyPathBeyondLimits(const std::vector<std::string>& components) {
  if (components.size() > kMaxKeyDepth + 1) {
    return "the key is " + std::to_string(components.size() - 1) +
           " levels deep; the registry allows " + std::to_string(kMaxKeyDepth);
  }
  for (const std::string& name : components) {
    if (name.size() > kMaxKeyNameLength && ToCodePoints(name).size() > kMaxKeyNameLength) {
      return "a key name is longer than " + std::to_string(kMaxKeyNameLength) + " characters";
    }
  }
  return std::nullopt;
}

std::optional<std::string> ValueNameBeyondLimits(std::string_view name) {
  if (name.size() > kMaxValueNameLength && ToCodePoints(name).size() > kMaxValueNameLength) {
    return "a value name is longer than " + std::to_string(kMaxValueNameLength) + " characters";
  }
  return std::nullopt;
}

std::optional<std::string> RegistryStore::FindKey(std::string_view path) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(path)));
  return store_.Read([&](const Transaction& t) -> std::optional<std::string> {
    auto find = t.Prepare("SELECT path FROM registry_keys WHERE path_key = ?1");
    find.Bind(1, key);
    if (!find.Step()) return std::nullopt;
    return find.Text(0);
  });
}

std::string RegistryStore::CreateKey(std::string_view path) const {
  const std::vector<std::string> components = SplitKeyPath(path);
  if (const auto beyond = KeyPathBeyondLimits(components)) throw MachineError(*beyond);
  return store_.Write([&](const Transaction& t) {
    std::string stored;
    for (const std::string& component : components) {
      std::string wanted = stored.empty() ? component : stored + "\\" + component;
      auto find = t.Prepare("SELECT path FROM registry_keys WHERE path_key = ?1");
      find.Bind(1, FoldCase(wanted));
      if (find.Step()) {
        stored = find.Text(0);
        continue;
      }
      auto insert = t.Prepare("INSERT INTO registry_keys VALUES (?1, ?2, ?3)");
      insert.Bind(1, FoldCase(wanted)).Bind(2, wanted);
      if (stored.empty()) {
        insert.BindNull(3);
      } else {
        insert.Bind(3, FoldCase(stored));
      }
      insert.Run();
      stored = std::move(wanted);
    }
    return stored;
  });
}

bool RegistryStore::HasSubkeys(std::string_view path) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(path)));
  return store_.Read([&](const Transaction& t) {
    auto any = t.Prepare("SELECT 1 FROM registry_keys WHERE parent_key = ?1 LIMIT 1");
    any.Bind(1, key);
    return any.Step();
  });
}

void RegistryStore::DeleteTree(std::string_view path) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(path)));
  // The key and the keys below it go with their values and their access
  // lists: a key made again later inherits.
  const std::string lists = "DELETE FROM security_descriptors WHERE kind = " +
                            std::to_string(static_cast<int>(ObjectKind::RegistryKey)) +
                            " AND (path_key = ?1 OR (path_key >= ?2 AND path_key < ?3))";
  store_.Write([&](const Transaction& t) {
    for (const std::string& sql :
         {std::string("DELETE FROM registry_values WHERE key_path_key = ?1 OR "
                      "(key_path_key >= ?2 AND key_path_key < ?3)"),
          std::string("DELETE FROM registry_keys WHERE path_key = ?1 OR "
                      "(path_key >= ?2 AND path_key < ?3)"),
          lists}) {
      t.Prepare(sql).Bind(1, key).Bind(2, BelowFrom(key)).Bind(3, BelowTo(key)).Run();
    }
  });
}

std::vector<std::string> RegistryStore::Tree(std::string_view path) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(path)));
  return store_.Read([&](const Transaction& t) {
    auto rows = t.Prepare(
        "SELECT path FROM registry_keys WHERE path_key = ?1 OR "
        "(path_key >= ?2 AND path_key < ?3) ORDER BY path_key");
    rows.Bind(1, key).Bind(2, BelowFrom(key)).Bind(3, BelowTo(key));
    std::vector<std::string> paths;
    while (rows.Step()) paths.push_back(rows.Text(0));
    return paths;
  });
}

std::optional<RegistryValue> RegistryStore::GetValue(std::string_view keyPath,
                                                     std::string_view name) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(keyPath)));
  return store_.Read([&](const Transaction& t) -> std::optional<RegistryValue> {
    auto find = t.Prepare(
        "SELECT name, type, data FROM registry_values WHERE key_path_key = ?1 AND name_key = ?2");
    find.Bind(1, key).Bind(2, FoldCase(name));
    if (!find.Step()) return std::nullopt;
    return RegistryValue{find.Text(0), static_cast<win::DWORD>(find.Int(1)), find.Blob(2)};
  });
}

std::vector<RegistryValue> RegistryStore::Values(std::string_view keyPath) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(keyPath)));
  return store_.Read([&](const Transaction& t) {
    auto rows = t.Prepare(
        "SELECT name, type, data FROM registry_values WHERE key_path_key = ?1 ORDER BY name_key");
    rows.Bind(1, key);
    std::vector<RegistryValue> values;
    while (rows.Step()) {
      values.push_back(
          RegistryValue{rows.Text(0), static_cast<win::DWORD>(rows.Int(1)), rows.Blob(2)});
    }
    return values;
  });
}

void RegistryStore::SetValue(std::string_view keyPath, const RegistryValue& value) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(keyPath)));
  store_.Write([&](const Transaction& t) {
    // A value keeps the spelling of its name from when it was first written.
    t.Prepare(
         "INSERT INTO registry_values VALUES (?1, ?2, ?3, ?4, coalesce(?5, x'')) "
         "ON CONFLICT (key_path_key, name_key) DO UPDATE SET type = ?4, data = coalesce(?5, x'')")
        .Bind(1, key)
        .Bind(2, FoldCase(value.name))
        .Bind(3, value.name)
        .Bind(4, static_cast<std::int64_t>(value.type))
        .Bind(5, value.data)
        .Run();
  });
}

void RegistryStore::DeleteValue(std::string_view keyPath, std::string_view name) const {
  const std::string key = FoldCase(JoinKeyPath(SplitKeyPath(keyPath)));
  store_.Write([&](const Transaction& t) {
    t.Prepare("DELETE FROM registry_values WHERE key_path_key = ?1 AND name_key = ?2")
        .Bind(1, key)
        .Bind(2, FoldCase(name))
        .Run();
  });
}

}  // namespace lyn::sim
