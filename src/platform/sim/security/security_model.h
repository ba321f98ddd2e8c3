// Owners and access lists of the machine's files, folders and registry keys,
// kept in the state store by object kind and case-folded absolute path.
//
// An object without a descriptor of its own takes its parent's inheritable
// entries (and owner), as a new object does on Windows; the anchors of the
// tree (drive roots, the Windows and system folders and the files directly
// in them, the user's profile folder, the registry roots) have protected
// defaults that depend on the Windows version. Volumes without persistent
// access lists (FAT32, CDFS) have no owners and no lists.
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
  explicit SecurityModel(const Machine& machine) : machine_(machine) {}

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
  // sub-folder and file of a folder.
  void SetDacl(const SecuredObject& object, const Acl& acl) const;
  // Stores a descriptor as given, without propagation.
  void SetDescriptor(const SecuredObject& object, const Descriptor& descriptor) const;

  // The rights of `desired` (generic rights allowed) the profile's user is
  // granted on the object: all of them or 0. For the registry: whether the
  // current user may create or write a key.
  win::ACCESS_MASK UserAccess(const SecuredObject& object, win::ACCESS_MASK desired) const;

  // A file or folder was just made: it gets the descriptor Windows gives a
  // new object, its parent's inheritable entries.
  void Created(const SecuredObject& object) const;
  // The object at this path (and whatever was below it) is gone: nothing
  // stored for it passes to what is made there next.
  void Forget(const SecuredObject& object) const;

  // The object at `from` was renamed to `to` on the same volume: it keeps
  // its descriptor, inherited entries included, and so does what is below it.
  void Moved(const SecuredObject& from, const SecuredObject& to) const;

  const Machine& machine() const { return machine_; }

 private:
  std::optional<Descriptor> Stored(const SecuredObject& object) const;
  Descriptor Default(const SecuredObject& object) const;
  std::optional<SecuredObject> Parent(const SecuredObject& object) const;
  void Store(const SecuredObject& object, const Descriptor& descriptor) const;
  void Propagate(const SecuredObject& folder, const Descriptor& descriptor) const;

  // The folders whose defaults depend on where the profile puts them, as
  // case-folded keys; found on the first need, as resolving costs a walk.
  struct Anchors {
    std::string windows;
    std::string system;
    std::string userProfile;
  };

  const Machine& machine_;
  mutable std::optional<Anchors> anchors_;
};

// Whether the path starts with a registry root's name ("HKLM", "MACHINE",
// "HKEY_LOCAL_MACHINE", ...) rather than a drive.
bool IsKeyPath(std::string_view path);

const win::GENERIC_MAPPING& MappingOf(ObjectKind kind);

// The entries of a parent's list that a child takes: files those with
// object inheritance (flagged inherited), folders and keys those with
// container inheritance (keeping their inheritance flags).
Acl InheritedEntries(const Acl& parent, bool container, const win::GENERIC_MAPPING& mapping);

}  // namespace lyn::sim
