// Owners and access lists of the machine's files, folders and registry keys,
// kept in the state store by object kind and case-folded absolute path, and
// the access check of the running program's token against them.
//
// An object without a descriptor of its own takes its parent's inheritable
// entries (and owner, who stands for CREATOR OWNER), as a new object does on
// Windows; the anchors of the tree have the protected defaults of their
// Windows (default_lists.h). An object the program makes gets its own
// descriptor when it is made (Created). Volumes without persistent access
// lists (FAT32, CDFS) have no owners and no lists.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/machine/machine.h"
#include "platform/sim/security/access_check.h"
#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

enum class ObjectKind { File = 1, RegistryKey = 4 };

struct SecuredObject {
  ObjectKind kind = ObjectKind::File;
  std::string path;        // "C:\Windows\system32", "HKEY_LOCAL_MACHINE\SOFTWARE"
  std::string drivePath;   // files only: "C/Windows/system32"
  bool exists = false;     // registry keys always count as existing
  bool container = false;  // a folder or a key
  bool hasLists = true;    // false on FAT32 and CDFS volumes
};

class SecurityModel {
 public:
  // Checks access with the token of the product's program running on the
  // machine (ProcessToken).
  explicit SecurityModel(const Machine& machine);
  SecurityModel(const Machine& machine, Token token);

  // A file or folder path of the machine, or a registry key named
  // "MACHINE\...", "HKLM\...", "HKEY_LOCAL_MACHINE\..." (and the same for
  // the other roots: CURRENT_USER / HKCU, CLASSES_ROOT / HKCR, USERS / HKU,
  // CURRENT_CONFIG / HKCC). Throws MachineError for a path the machine cannot
  // resolve or a key under no root.
  SecuredObject Find(ObjectKind kind, std::string_view path) const;

  // The file or folder at a path the machine resolved.
  SecuredObject FileObject(const ResolvedPath& path) const;

  Descriptor DescriptorOf(const SecuredObject& object) const;

  // Writes the object's access list: its explicit entries (generic rights
  // mapped), followed by those inherited from its parent unless the list is
  // protected; then passes the inheritable entries on to every existing
  // sub-folder and file of a folder, or every sub-key of a key.
  void SetDacl(const SecuredObject& object, const Acl& acl) const;
  // Stores a descriptor as given, without propagation.
  void SetDescriptor(const SecuredObject& object, const Descriptor& descriptor) const;
  // Gives an object the program has just made the descriptor Windows gives
  // it: the token's default owner and group, and the parent's inheritable
  // entries with CREATOR OWNER and CREATOR GROUP replaced by them.
  void Created(const SecuredObject& object) const;

  // The rights of `desired` (generic rights allowed) the token is granted on
  // the object: all of them or 0.
  win::ACCESS_MASK UserAccess(const SecuredObject& object, win::ACCESS_MASK desired) const;

  // The object at this path (and whatever was below it) is gone: nothing
  // stored for it passes to what is made there next.
  void Forget(const SecuredObject& object) const;

  // The object at `from` was renamed to `to` on the same volume: it keeps
  // its descriptor, inherited entries included, and so does what is below it.
  void Moved(const SecuredObject& from, const SecuredObject& to) const;

  const Machine& machine() const { return machine_; }
  const Token& token() const { return token_; }

 private:
  std::optional<Descriptor> Stored(const SecuredObject& object) const;
  std::optional<SecuredObject> Parent(const SecuredObject& object) const;
  // The descriptor of an object that takes its parent's inheritable entries.
  Descriptor Inheriting(const SecuredObject& object, const Descriptor& parent,
                        const std::optional<Sid>& owner, const std::optional<Sid>& group) const;
  void Store(const SecuredObject& object, const Descriptor& descriptor) const;
  void Propagate(const SecuredObject& folder, const Descriptor& descriptor) const;
  void PropagateToKeys(const SecuredObject& key) const;

  const Machine& machine_;
  Token token_;
};

// Whether the path starts with a registry root's name ("HKLM", "MACHINE",
// "HKEY_LOCAL_MACHINE", ...) rather than a drive.
bool IsKeyPath(std::string_view path);

const win::GENERIC_MAPPING& MappingOf(ObjectKind kind);

// The entries of a parent's list that a child owned by `owner` (of group
// `group`) takes: files those with object inheritance (flagged inherited),
// folders and keys those with container inheritance (keeping their
// inheritance flags). An entry for CREATOR OWNER or CREATOR GROUP applies to
// the child as an entry for its owner or group; a container keeps the
// placeholder besides, inherit-only, for what is made in it.
Acl InheritedEntries(const Acl& parent, bool container, const win::GENERIC_MAPPING& mapping,
                     const Sid& owner, const Sid& group);

}  // namespace lyn::sim
