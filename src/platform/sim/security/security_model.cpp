#include "platform/sim/security/security_model.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_store.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/default_lists.h"

namespace lyn::sim {

namespace {

constexpr win::BYTE kInheritAll = win::OBJECT_INHERIT_ACE | win::CONTAINER_INHERIT_ACE;

// A root spelt as the registry names it ("HKLM", "HKEY_LOCAL_MACHINE") or as
// the security functions' object names do ("MACHINE", "CURRENT_USER", ...).
std::optional<std::string> KnownRoot(std::string_view name) {
  static constexpr std::pair<const char*, const char*> kObjectNames[] = {
      {"MACHINE", "HKEY_LOCAL_MACHINE"},
      {"CURRENT_USER", "HKEY_CURRENT_USER"},
      {"CLASSES_ROOT", "HKEY_CLASSES_ROOT"},
      {"USERS", "HKEY_USERS"},
      {"CURRENT_CONFIG", "HKEY_CURRENT_CONFIG"}};
  for (const auto& [objectName, root] : kObjectNames) {
    if (EqualFolded(name, objectName)) return root;
  }
  return RegistryRootName(name);
}

std::string RootOfKey(std::string_view name) {
  if (auto root = KnownRoot(name)) return *root;
  throw MachineError("registry key '" + std::string(name) + "' is not under a registry root");
}

std::string ParentText(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {};
  std::string parent = path.substr(0, slash);
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

Acl ExplicitEntries(const Acl& acl, const win::GENERIC_MAPPING& mapping) {
  Acl entries;
  for (Ace ace : acl) {
    if ((ace.flags & win::INHERITED_ACE) != 0) continue;
    if ((ace.flags & win::INHERIT_ONLY_ACE) == 0) ace.mask = MapGeneric(ace.mask, mapping);
    entries.push_back(std::move(ace));
  }
  return entries;
}

}  // namespace

SecurityModel::SecurityModel(const Machine& machine)
    : SecurityModel(machine, ProcessToken(machine.profile())) {}

SecurityModel::SecurityModel(const Machine& machine, Token token)
    : machine_(machine), token_(std::move(token)) {}

bool IsKeyPath(std::string_view path) {
  return KnownRoot(path.substr(0, path.find('\\'))).has_value();
}

const win::GENERIC_MAPPING& MappingOf(ObjectKind kind) {
  return kind == ObjectKind::File ? kFileMapping : kKeyMapping;
}

Acl InheritedEntries(const Acl& parent, bool container, const win::GENERIC_MAPPING& mapping,
                     const Sid& owner, const Sid& group) {
  Acl entries;
  for (const Ace& ace : parent) {
    const win::BYTE inherit = ace.flags & kInheritAll;
    win::BYTE flags = win::INHERITED_ACE;
    if (container) {
      if (inherit == 0) continue;
      if ((ace.flags & win::NO_PROPAGATE_INHERIT_ACE) != 0) {
        if ((inherit & win::CONTAINER_INHERIT_ACE) == 0) continue;
      } else if ((inherit & win::CONTAINER_INHERIT_ACE) != 0) {
        flags |= inherit;
      } else {
        flags |= win::OBJECT_INHERIT_ACE | win::INHERIT_ONLY_ACE;
      }
    } else if ((inherit & win::OBJECT_INHERIT_ACE) == 0) {
      continue;
    }
    const bool inheritOnly = (flags & win::INHERIT_ONLY_ACE) != 0;
    const win::ACCESS_MASK mask = inheritOnly ? ace.mask : MapGeneric(ace.mask, mapping);
    const bool creator = ace.sid == CreatorOwnerSid() || ace.sid == CreatorGroupSid();
    if (!creator || inheritOnly) {
      entries.push_back(Ace{ace.type, flags, mask, ace.sid});
      continue;
    }
    entries.push_back(
        Ace{ace.type, win::INHERITED_ACE, mask, ace.sid == CreatorOwnerSid() ? owner : group});
    if ((flags & kInheritAll) != 0) {
      entries.push_back(
          Ace{ace.type, static_cast<win::BYTE>(flags | win::INHERIT_ONLY_ACE), ace.mask, ace.sid});
    }
  }
  return entries;
}

SecuredObject SecurityModel::Find(ObjectKind kind, std::string_view path) const {
  SecuredObject object;
  object.kind = kind;
  if (kind == ObjectKind::RegistryKey) {
    const auto slash = path.find('\\');
    object.path = RootOfKey(path.substr(0, slash));
    if (slash != std::string_view::npos) {
      std::string_view rest = path.substr(slash + 1);
      while (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
      if (!rest.empty()) {
        object.path += '\\';
        object.path += rest;
      }
    }
    object.exists = true;
    object.container = true;
    return object;
  }
  return FileObject(machine_.Resolve(path));
}

SecuredObject SecurityModel::FileObject(const ResolvedPath& path) const {
  SecuredObject object;
  object.path = path.windowsPath;
  object.drivePath = path.drivePath;
  object.exists = path.exists;
  object.container = path.folder;
  const auto drive = machine_.profile().drives.find(path.drive);
  object.hasLists =
      drive != machine_.profile().drives.end() && FoldCase(drive->second.fileSystem) == "ntfs";
  return object;
}

std::optional<Descriptor> SecurityModel::Stored(const SecuredObject& object) const {
  StateStore& store = machine_.State();
  const std::string key = FoldCase(object.path);
  const auto kind = static_cast<std::int64_t>(object.kind);
  const auto slash = key.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 == key.size()) {
    // A drive's root or a registry root: read by itself.
    return *store.Kept<std::optional<Descriptor>>(
        "descriptor " + std::to_string(kind) + " " + key,
        [&](const Transaction& t) -> std::optional<Descriptor> {
          Statement select = t.Prepare(
              "SELECT descriptor FROM security_descriptors WHERE kind = ?1 AND path_key = ?2");
          select.Bind(1, kind).Bind(2, key);
          if (!select.Step()) return std::nullopt;
          const std::vector<std::uint8_t> bytes = select.Blob(0);
          return DescriptorFromBytes(bytes.data(), bytes.size());
        });
  }
  // The descriptors of the object's neighbours are read with it, once while
  // the store is unchanged.
  const std::string prefix = key.substr(0, slash + 1);
  using Neighbours = std::unordered_map<std::string, std::optional<Descriptor>>;
  const auto neighbours = store.Kept<Neighbours>(
      "descriptors " + std::to_string(kind) + " " + prefix, [&](const Transaction& t) {
        // Every key below the folder or key sorts from "<prefix>" up to,
        // not including, "<prefix>" with its last character, the backslash,
        // turned into the ']' that follows it; the keys further below each
        // sub-folder or sub-key are stepped over.
        std::string end = prefix;
        end.back() = static_cast<char>('\\' + 1);
        Neighbours found;
        std::string from = prefix;
        for (bool more = true; more;) {
          more = false;
          Statement select = t.Prepare(
              "SELECT path_key, descriptor FROM security_descriptors "
              "WHERE kind = ?1 AND path_key >= ?2 AND path_key < ?3 ORDER BY path_key");
          select.Bind(1, kind).Bind(2, from).Bind(3, end);
          while (select.Step()) {
            const std::string path = select.Text(0);
            const std::size_t below = path.find('\\', prefix.size());
            if (below != std::string::npos) {
              from = path.substr(0, below) + static_cast<char>('\\' + 1);
              more = true;
              break;
            }
            const std::vector<std::uint8_t> bytes = select.Blob(1);
            found.emplace(path.substr(prefix.size()),
                          DescriptorFromBytes(bytes.data(), bytes.size()));
          }
        }
        return found;
      });
  const auto found = neighbours->find(key.substr(slash + 1));
  return found == neighbours->end() ? std::nullopt : found->second;
}

void SecurityModel::Store(const SecuredObject& object, const Descriptor& descriptor) const {
  const std::vector<std::uint8_t> bytes = DescriptorBytes(
      descriptor, win::OWNER_SECURITY_INFORMATION | win::GROUP_SECURITY_INFORMATION |
                      win::DACL_SECURITY_INFORMATION);
  machine_.State().Write([&](const Transaction& t) {
    t.Prepare(
         "INSERT OR REPLACE INTO security_descriptors (kind, path_key, descriptor) "
         "VALUES (?1, ?2, ?3)")
        .Bind(1, static_cast<std::int64_t>(object.kind))
        .Bind(2, FoldCase(object.path))
        .Bind(3, bytes)
        .Run();
  });
}

std::optional<SecuredObject> SecurityModel::Parent(const SecuredObject& object) const {
  const std::string parent = ParentText(object.path);
  if (parent.empty() || parent == object.path) return std::nullopt;
  if (object.kind == ObjectKind::RegistryKey) return Find(object.kind, parent);
  // The folder holding a file or folder of the machine, named as the object
  // is: nothing to ask the host.
  SecuredObject folder = object;
  folder.path = parent;
  folder.drivePath = object.drivePath.substr(0, object.drivePath.rfind('/'));
  folder.exists = folder.container = true;
  return folder;
}

Descriptor SecurityModel::DescriptorOf(const SecuredObject& object) const {
  if (!object.hasLists) return {};
  if (auto stored = Stored(object)) return *stored;
  if (auto anchor = DefaultDescriptor(machine_, object)) return *anchor;
  const auto parent = Parent(object);
  if (!parent) return {};
  // An object nobody gave a list is taken to be its parent owner's making.
  const Descriptor above = DescriptorOf(*parent);
  return Inheriting(object, above, above.owner, above.group);
}

Descriptor SecurityModel::Inheriting(const SecuredObject& object, const Descriptor& parent,
                                     const std::optional<Sid>& owner,
                                     const std::optional<Sid>& group) const {
  Descriptor descriptor{owner, group, std::nullopt, false};
  if (parent.dacl) {
    descriptor.dacl = InheritedEntries(*parent.dacl, object.container, MappingOf(object.kind),
                                       owner.value_or(Sid{}), group.value_or(Sid{}));
  }
  return descriptor;
}

void SecurityModel::Created(const SecuredObject& object) const {
  if (!object.hasLists) return;
  machine_.State().Write([&](const Transaction&) {
    const auto parent = Parent(object);
    Descriptor descriptor{token_.owner, token_.primaryGroup, Acl{}, false};
    if (parent) {
      descriptor = Inheriting(object, DescriptorOf(*parent), token_.owner, token_.primaryGroup);
    }
    Store(object, descriptor);
  });
}

void SecurityModel::SetDescriptor(const SecuredObject& object, const Descriptor& descriptor) const {
  Store(object, descriptor);
}

void SecurityModel::SetDacl(const SecuredObject& object, const Acl& acl) const {
  machine_.State().Write([&](const Transaction&) {
    Descriptor descriptor = DescriptorOf(object);
    Acl entries = ExplicitEntries(acl, MappingOf(object.kind));
    if (!descriptor.daclProtected) {
      if (const auto parent = Parent(object)) {
        const Descriptor above = DescriptorOf(*parent);
        if (above.dacl) {
          const Acl inherited =
              InheritedEntries(*above.dacl, object.container, MappingOf(object.kind),
                               descriptor.owner.value_or(Sid{}), descriptor.group.value_or(Sid{}));
          entries.insert(entries.end(), inherited.begin(), inherited.end());
        }
      }
    }
    descriptor.dacl = std::move(entries);
    Store(object, descriptor);
    if (object.kind == ObjectKind::RegistryKey) {
      PropagateToKeys(object);
    } else if (object.container) {
      Propagate(object, descriptor);
    }
  });
}

void SecurityModel::PropagateToKeys(const SecuredObject& key) const {
  // Keys without a list of their own inherit as they are read; those with
  // one take the new inheritable entries in place of the old, each after
  // its parent.
  const std::vector<std::string> tree = RegistryStore(machine_.State()).Tree(key.path);
  for (std::size_t i = 1; i < tree.size(); ++i) {
    const SecuredObject child = Find(ObjectKind::RegistryKey, tree[i]);
    std::optional<Descriptor> current = Stored(child);
    if (!current || current->daclProtected) continue;
    Acl entries = current->dacl ? ExplicitEntries(*current->dacl, kKeyMapping) : Acl{};
    const Descriptor above = DescriptorOf(*Parent(child));
    if (above.dacl) {
      const Acl inherited =
          InheritedEntries(*above.dacl, true, kKeyMapping, current->owner.value_or(Sid{}),
                           current->group.value_or(Sid{}));
      entries.insert(entries.end(), inherited.begin(), inherited.end());
    }
    current->dacl = std::move(entries);
    Store(child, *current);
  }
}

void SecurityModel::Propagate(const SecuredObject& folder, const Descriptor& descriptor) const {
  std::vector<HostEntry> entries;
  if (machine_.drives().List(folder.drivePath, entries) != 0) return;
  for (const HostEntry& entry : entries) {
    if (entry.status.link) continue;
    SecuredObject child = folder;
    child.path = folder.path + (folder.path.back() == '\\' ? "" : "\\") + entry.name;
    child.drivePath = folder.drivePath + '/' + entry.name;
    child.container = entry.status.folder;
    Descriptor current = DescriptorOf(child);
    if (current.daclProtected) continue;
    Acl inheritedFrom = current.dacl ? ExplicitEntries(*current.dacl, kFileMapping) : Acl{};
    if (descriptor.dacl) {
      const Acl inherited =
          InheritedEntries(*descriptor.dacl, child.container, kFileMapping,
                           current.owner.value_or(Sid{}), current.group.value_or(Sid{}));
      inheritedFrom.insert(inheritedFrom.end(), inherited.begin(), inherited.end());
    }
    current.dacl = std::move(inheritedFrom);
    Store(child, current);
    if (child.container) Propagate(child, current);
  }
}

void SecurityModel::Moved(const SecuredObject& from, const SecuredObject& to) const {
  const std::string key = FoldCase(from.path);
  machine_.State().Write([&](const Transaction& t) {
    const Descriptor descriptor = DescriptorOf(from);
    t.Prepare(
         "UPDATE security_descriptors SET path_key = ?4 || substr(path_key, length(?2) + 1) "
         "WHERE kind = ?1 AND (path_key = ?2 OR (path_key >= ?3 AND path_key < ?5))")
        .Bind(1, static_cast<std::int64_t>(from.kind))
        .Bind(2, key)
        .Bind(3, key + '\\')
        .Bind(4, FoldCase(to.path))
        .Bind(5, key + static_cast<char>('\\' + 1))
        .Run();
    if (to.hasLists) Store(to, descriptor);
  });
}

void SecurityModel::Forget(const SecuredObject& object) const {
  const std::string key = FoldCase(object.path);
  // Every key below the object sorts from "<key>\" up to, not including,
  // "<key>]", ']' following '\' in byte order.
  std::string below = key + '\\';
  std::string end = key + static_cast<char>('\\' + 1);
  machine_.State().Write([&](const Transaction& t) {
    t.Prepare(
         "DELETE FROM security_descriptors WHERE kind = ?1 AND (path_key = ?2 OR "
         "(path_key >= ?3 AND path_key < ?4))")
        .Bind(1, static_cast<std::int64_t>(object.kind))
        .Bind(2, key)
        .Bind(3, below)
        .Bind(4, end)
        .Run();
  });
}

win::ACCESS_MASK SecurityModel::UserAccess(const SecuredObject& object,
                                           win::ACCESS_MASK desired) const {
  return GrantedAccess(DescriptorOf(object), token_, MapGeneric(desired, MappingOf(object.kind)));
}

}  // namespace lyn::sim
