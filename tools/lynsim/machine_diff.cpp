#include "machine_diff.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "attribute_letters.h"
#include "cmd_acl.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/registry/registry_store.h"
#include "platform/sim/registry/registry_text.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"
#include "platform/sim/security/security_text.h"

namespace lyn::lynsim {
namespace {

// A file or folder on the drives, by its case-folded Windows path.
struct DriveEntry {
  std::string windowsPath;
  std::string drivePath;  // below the drives folder: "C/Windows/win.ini"
  bool folder = false;
  unsigned long long size = 0;
};

// A drive folder's path below the drives folder as a Windows path:
// "C/Windows" is "C:\Windows", "C" is "C:\".
std::string WindowsPathOf(const std::string& drivePath) {
  std::string path = drivePath.substr(0, 1) + ":\\";
  if (drivePath.size() > 2) path += drivePath.substr(2);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void Walk(const sim::DriveFolders& drives, const std::string& folder,
          std::map<std::string, DriveEntry>& entries) {
  std::vector<sim::HostEntry> listed;
  if (const int error = drives.List(folder, listed); error != 0) {
    throw sim::MachineError("cannot list the drive folder '" + folder + "' (error " +
                            std::to_string(-error) + ")");
  }
  for (const sim::HostEntry& entry : listed) {
    if (entry.status.link) continue;  // the machine follows no link, so holds none
    const std::string drivePath = folder.empty() ? entry.name : folder + "/" + entry.name;
    const std::string windowsPath = WindowsPathOf(drivePath);
    entries[sim::FoldCase(windowsPath)] =
        DriveEntry{windowsPath, drivePath, entry.status.folder, entry.status.size};
    if (entry.status.folder) Walk(drives, drivePath, entries);
  }
}

// The attribute marks the machine keeps, by case-folded Windows path.
std::map<std::string, win::DWORD> AttributeMarks(const sim::Machine& machine) {
  return machine.State().Read([](const sim::Transaction& t) {
    std::map<std::string, win::DWORD> marks;
    auto select = t.Prepare("SELECT path_key, attributes FROM file_attributes");
    while (select.Step()) marks[select.Text(0)] = static_cast<win::DWORD>(select.Int(1));
    return marks;
  });
}

// A file's attributes as the machine reports them: a file nobody marked is
// an archive file.
win::DWORD FileAttributes(const std::map<std::string, win::DWORD>& marks, const std::string& key) {
  const auto mark = marks.find(key);
  const win::DWORD attributes = mark == marks.end() ? win::FILE_ATTRIBUTE_ARCHIVE : mark->second;
  return attributes != 0 ? attributes : win::FILE_ATTRIBUTE_NORMAL;
}

std::string FileLetters(win::DWORD attributes) {
  return AttributeLetters(attributes & ~win::FILE_ATTRIBUTE_DIRECTORY).substr(1);
}

std::vector<std::uint8_t> Bytes(const sim::Machine& machine, const DriveEntry& entry) {
  std::vector<std::uint8_t> bytes;
  if (const int error = machine.drives().Read(entry.drivePath, bytes); error != 0) {
    throw sim::MachineError("cannot read '" + entry.windowsPath + "' (error " +
                            std::to_string(-error) + ")");
  }
  return bytes;
}

bool SameBytes(const sim::Machine& a, const DriveEntry& x, const sim::Machine& b,
               const DriveEntry& y) {
  return x.size == y.size && Bytes(a, x) == Bytes(b, y);
}

void DiffDrives(const sim::Machine& before, const sim::Machine& after,
                std::vector<std::string>& lines) {
  std::map<std::string, DriveEntry> was;
  std::map<std::string, DriveEntry> is;
  Walk(before.drives(), "", was);
  Walk(after.drives(), "", is);
  const auto wasMarks = AttributeMarks(before);
  const auto isMarks = AttributeMarks(after);
  for (const auto& [key, entry] : was) {
    const auto now = is.find(key);
    const char* kind = entry.folder ? "folder" : "file";
    if (now == is.end() || now->second.folder != entry.folder) {
      lines.push_back(std::string(kind) + " removed: " + entry.windowsPath);
      continue;
    }
    if (entry.folder) continue;
    if (!SameBytes(before, entry, after, now->second)) {
      lines.push_back("file changed: " + now->second.windowsPath + " (content)");
    }
    const win::DWORD wasAttributes = FileAttributes(wasMarks, key);
    const win::DWORD isAttributes = FileAttributes(isMarks, key);
    if (wasAttributes != isAttributes) {
      lines.push_back("file changed: " + now->second.windowsPath + " (attributes " +
                      FileLetters(wasAttributes) + " -> " + FileLetters(isAttributes) + ")");
    }
  }
  for (const auto& [key, entry] : is) {
    const auto then = was.find(key);
    if (then == was.end() || then->second.folder != entry.folder) {
      lines.push_back(std::string(entry.folder ? "folder" : "file") +
                      " added: " + entry.windowsPath);
    }
  }
}

std::string TypeName(win::DWORD type) {
  switch (type) {
    case win::REG_NONE:
      return "REG_NONE";
    case win::REG_SZ:
      return "REG_SZ";
    case win::REG_EXPAND_SZ:
      return "REG_EXPAND_SZ";
    case win::REG_BINARY:
      return "REG_BINARY";
    case win::REG_DWORD:
      return "REG_DWORD";
    case win::REG_MULTI_SZ:
      return "REG_MULTI_SZ";
    default:
      return "type " + std::to_string(type);
  }
}

// A key's values by case-folded name.
using Values = std::map<std::string, sim::RegistryValue>;
// Every key with its values, by case-folded path.
using Keys = std::map<std::string, std::pair<std::string, Values>>;

Keys RegistryOf(const sim::Machine& machine) {
  const sim::RegistryStore registry(machine.State());
  Keys keys;
  for (const std::string& root : sim::RegistryRoots()) {
    for (const std::string& key : registry.Tree(root)) {
      Values values;
      for (sim::RegistryValue& value : registry.Values(key)) {
        values[sim::FoldCase(value.name)] = std::move(value);
      }
      keys[sim::FoldCase(key)] = {key, std::move(values)};
    }
  }
  return keys;
}

std::string ValueText(const sim::Machine& machine, const sim::RegistryValue& value) {
  return sim::ValueLine(machine, value) + " (" + TypeName(value.type) + ")";
}

void DiffRegistry(const sim::Machine& before, const sim::Machine& after,
                  std::vector<std::string>& lines) {
  const Keys was = RegistryOf(before);
  const Keys is = RegistryOf(after);
  const Values none;
  for (const auto& [key, then] : was) {
    const auto now = is.find(key);
    const std::string& path = now == is.end() ? then.first : now->second.first;
    if (now == is.end()) lines.push_back("key removed: " + path);
    const Values& isValues = now == is.end() ? none : now->second.second;
    for (const auto& [name, value] : then.second) {
      const auto other = isValues.find(name);
      if (other == isValues.end()) {
        lines.push_back("value removed: " + path + " " + ValueText(before, value));
      } else if (other->second.type != value.type || other->second.data != value.data) {
        lines.push_back("value changed: " + path + " " + ValueText(before, value) + " -> " +
                        ValueText(after, other->second));
      }
    }
  }
  for (const auto& [key, now] : is) {
    const auto then = was.find(key);
    if (then == was.end()) lines.push_back("key added: " + now.first);
    const Values& wasValues = then == was.end() ? none : then->second.second;
    for (const auto& [name, value] : now.second) {
      if (wasValues.count(name) == 0) {
        lines.push_back("value added: " + now.first + " " + ValueText(after, value));
      }
    }
  }
}

// The objects a machine keeps an owner or list of its own for, by kind and
// case-folded path.
std::set<std::pair<std::int64_t, std::string>> SecuredObjects(const sim::Machine& machine) {
  return machine.State().Read([](const sim::Transaction& t) {
    std::set<std::pair<std::int64_t, std::string>> objects;
    auto select = t.Prepare("SELECT kind, path_key FROM security_descriptors");
    while (select.Step()) objects.emplace(select.Int(0), select.Text(1));
    return objects;
  });
}

// The object's path as the machine spells it, or nothing when the object is
// not there.
std::optional<std::string> Present(const sim::Machine& machine, const sim::SecuredObject& object) {
  if (object.kind == sim::ObjectKind::RegistryKey) {
    return sim::RegistryStore(machine.State()).FindKey(object.path);
  }
  return object.exists ? std::optional<std::string>(object.path) : std::nullopt;
}

// The owner, group and list entries of an object, one text each: "owner
// ACCOUNT", "group ACCOUNT", and the entries in the listing's form.
std::multiset<std::string> AccessLines(const sim::Machine& machine, const sim::SecurityModel& model,
                                       const sim::SecuredObject& object) {
  const sim::Profile& profile = machine.profile();
  const sim::Descriptor descriptor = model.DescriptorOf(object);
  std::multiset<std::string> entries;
  if (descriptor.owner) entries.insert("owner " + sim::AccountText(profile, *descriptor.owner));
  if (descriptor.group) entries.insert("group " + sim::AccountText(profile, *descriptor.group));
  if (!descriptor.dacl) entries.insert("no access list: everyone may do everything");
  for (const sim::Ace& ace : descriptor.dacl.value_or(sim::Acl{})) {
    entries.insert(sim::AccessEntryText(profile, ace, RightsKindOf(object.kind)));
  }
  return entries;
}

void DiffAccess(const sim::Machine& before, const sim::Machine& after,
                std::vector<std::string>& lines) {
  std::set<std::pair<std::int64_t, std::string>> objects = SecuredObjects(before);
  objects.merge(SecuredObjects(after));
  const sim::SecurityModel wasModel(before);
  const sim::SecurityModel isModel(after);
  for (const auto& [kind, path] : objects) {
    const auto objectKind = static_cast<sim::ObjectKind>(kind);
    const sim::SecuredObject then = wasModel.Find(objectKind, path);
    const sim::SecuredObject now = isModel.Find(objectKind, path);
    const std::optional<std::string> shown = Present(after, now);
    if (!Present(before, then) || !shown || !then.hasLists || !now.hasLists) continue;
    const std::multiset<std::string> was = AccessLines(before, wasModel, then);
    const std::multiset<std::string> is = AccessLines(after, isModel, now);
    std::vector<std::string> removed;
    std::vector<std::string> added;
    std::set_difference(was.begin(), was.end(), is.begin(), is.end(), std::back_inserter(removed));
    std::set_difference(is.begin(), is.end(), was.begin(), was.end(), std::back_inserter(added));
    for (const std::string& entry : removed) {
      lines.push_back("access removed: " + *shown + ": " + entry);
    }
    for (const std::string& entry : added)
      lines.push_back("access added: " + *shown + ": " + entry);
  }
}

// The libraries a machine holds registered: the last of their
// self-registration entry points that succeeded was DllRegisterServer. By
// case-folded path, with the path as the machine spelt it.
std::map<std::string, std::string> Registered(const sim::Machine& machine) {
  return machine.State().Read([](const sim::Transaction& t) {
    std::map<std::string, std::string> registered;
    auto select =
        t.Prepare("SELECT file, entry_point FROM self_registrations WHERE result >= 0 ORDER BY id");
    while (select.Step()) {
      const std::string file = select.Text(0);
      if (select.Text(1) == "DllRegisterServer") {
        registered[sim::FoldCase(file)] = file;
      } else {
        registered.erase(sim::FoldCase(file));
      }
    }
    return registered;
  });
}

void DiffRegistrations(const sim::Machine& before, const sim::Machine& after,
                       std::vector<std::string>& lines) {
  const auto was = Registered(before);
  const auto is = Registered(after);
  for (const auto& [key, file] : is) {
    if (was.count(key) == 0) lines.push_back("registration added: " + file);
  }
  for (const auto& [key, file] : was) {
    if (is.count(key) == 0) lines.push_back("registration removed: " + file);
  }
}

}  // namespace

std::vector<std::string> DiffMachines(const sim::Machine& before, const sim::Machine& after) {
  std::vector<std::string> lines;
  DiffDrives(before, after, lines);
  DiffRegistry(before, after, lines);
  DiffAccess(before, after, lines);
  DiffRegistrations(before, after, lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace lyn::lynsim
