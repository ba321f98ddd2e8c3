#include "platform/sim/security/default_lists.h"

#include <vector>

#include "platform/api/advapi32_registry.h"
#include "platform/api/kernel32.h"
#include "platform/sim/machine/case_fold.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {
namespace {

using win::ACCESS_MASK;
using win::BYTE;

// The accounts the lists name; the user is the profile's.
enum class Who {
  Administrators,
  System,
  Users,
  PowerUsers,
  Everyone,
  AuthenticatedUsers,
  CreatorOwner,
  TrustedInstaller,
  User,
  Restricted,
};

Sid SidOf(Who who) {
  switch (who) {
    case Who::Administrators:
      return AdministratorsSid();
    case Who::System:
      return SystemSid();
    case Who::Users:
      return UsersSid();
    case Who::PowerUsers:
      return PowerUsersSid();
    case Who::Everyone:
      return EveryoneSid();
    case Who::AuthenticatedUsers:
      return AuthenticatedUsersSid();
    case Who::CreatorOwner:
      return CreatorOwnerSid();
    case Who::TrustedInstaller:
      return TrustedInstallerSid();
    case Who::User:
      return UserSid();
    case Who::Restricted:
      return RestrictedSid();
  }
  return {};
}

struct Entry {
  Who who;
  ACCESS_MASK mask;
  BYTE flags;
};

struct List {
  Who owner;
  std::vector<Entry> entries;
};

// The rights as the security dialogs and icacls name them.
constexpr ACCESS_MASK F = win::FILE_ALL_ACCESS;  // full control
constexpr ACCESS_MASK M = 0x001301BF;            // modify
constexpr ACCESS_MASK RX = 0x001200A9;           // read and execute
constexpr ACCESS_MASK GRGE = win::GENERIC_READ | win::GENERIC_EXECUTE;
constexpr ACCESS_MASK AD = 0x00000004;  // create folders (FILE_ADD_SUBDIRECTORY)
constexpr ACCESS_MASK WD = 0x00000002;  // create files (FILE_ADD_FILE)
constexpr ACCESS_MASK KF = win::KEY_ALL_ACCESS;
constexpr ACCESS_MASK KR = win::KEY_READ;
// Query and set values, create and list sub-keys, notify, delete, read
// control: the "special" write access of Everyone (NT 4.0) and Power Users
// (2000/XP) on HKLM\SOFTWARE.
constexpr ACCESS_MASK KW = 0x0003001F;

// Inheritance as icacls writes it.
constexpr BYTE OI = win::OBJECT_INHERIT_ACE;
constexpr BYTE CI = win::CONTAINER_INHERIT_ACE;
constexpr BYTE IO = win::INHERIT_ONLY_ACE;

// The systems whose lists differ: NT 3.51 and 4.0; 2000, XP and Server 2003;
// Vista and later.
enum class Family { Nt4, Nt5, Nt6 };

// The objects that have lists of their own.
enum class Anchor {
  DriveRoot,
  Windows,     // also the system folder, Program Files and (Vista on) Common Files
  SystemFile,  // a file directly in the Windows or the system folder
  ProgramFiles,
  UserProfile,  // the user's profile folder, holding the desktop and the temporary folder
  AllUsers,     // the all-users Start menu (Vista on), or the All Users profile
  RegistryRoot,
  Software,     // HKEY_LOCAL_MACHINE\SOFTWARE
  CurrentUser,  // HKEY_CURRENT_USER
};

List Nt4List(Anchor anchor) {
  switch (anchor) {
    case Anchor::DriveRoot:
      return {Who::Administrators,
              {{Who::Administrators, F, OI | CI},
               {Who::CreatorOwner, F, OI | CI | IO},
               {Who::Everyone, M, OI | CI},
               {Who::System, F, OI | CI}}};
    case Anchor::Windows:
    case Anchor::ProgramFiles:
      return Nt4List(Anchor::DriveRoot);
    case Anchor::UserProfile:
      return {
          Who::User,
          {{Who::User, F, OI | CI}, {Who::Administrators, F, OI | CI}, {Who::System, F, OI | CI}}};
    case Anchor::AllUsers:
      return {Who::Administrators,
              {{Who::Administrators, F, OI | CI},
               {Who::Everyone, RX, OI | CI},
               {Who::System, F, OI | CI}}};
    case Anchor::Software:
      return {Who::Administrators,
              {{Who::Administrators, KF, CI},
               {Who::CreatorOwner, KF, CI | IO},
               {Who::Everyone, KW, CI},
               {Who::System, KF, CI}}};
    case Anchor::CurrentUser:
      return {Who::User,
              {{Who::User, KF, CI}, {Who::Administrators, KF, CI}, {Who::System, KF, CI}}};
    default:
      return {};
  }
}

List Nt5List(Anchor anchor) {
  switch (anchor) {
    case Anchor::DriveRoot:
      return {Who::Administrators,
              {{Who::Administrators, F, OI | CI},
               {Who::System, F, OI | CI},
               {Who::CreatorOwner, F, OI | CI | IO},
               {Who::Users, RX, OI | CI},
               {Who::Users, AD, CI},
               {Who::Users, WD, CI | IO},
               {Who::Everyone, RX, 0}}};
    case Anchor::Windows:
    case Anchor::ProgramFiles:
      return {Who::Administrators,
              {{Who::Administrators, F, OI | CI},
               {Who::System, F, OI | CI},
               {Who::PowerUsers, M, OI | CI},
               {Who::Users, RX, OI | CI},
               {Who::CreatorOwner, F, OI | CI | IO}}};
    case Anchor::SystemFile:
      return {Who::Administrators,
              {{Who::Administrators, F, 0},
               {Who::System, F, 0},
               {Who::PowerUsers, RX, 0},
               {Who::Users, RX, 0}}};
    case Anchor::UserProfile:
      return Nt4List(anchor);
    case Anchor::AllUsers:
      return {Who::Administrators,
              {{Who::Administrators, F, OI | CI},
               {Who::System, F, OI | CI},
               {Who::PowerUsers, M, OI | CI},
               {Who::Users, RX, OI | CI},
               {Who::Everyone, RX, OI | CI}}};
    case Anchor::Software:
      return {Who::Administrators,
              {{Who::Administrators, KF, CI},
               {Who::CreatorOwner, KF, CI | IO},
               {Who::PowerUsers, KW, CI},
               {Who::System, KF, CI},
               {Who::Users, KR, CI}}};
    case Anchor::CurrentUser:
      return {Who::User,
              {{Who::User, KF, CI},
               {Who::Administrators, KF, CI},
               {Who::System, KF, CI},
               {Who::Restricted, KR, CI}}};
    default:
      return {};
  }
}

List Nt6List(Anchor anchor) {
  switch (anchor) {
    case Anchor::DriveRoot:
      return {Who::System,
              {{Who::Administrators, F, OI | CI},
               {Who::System, F, OI | CI},
               {Who::Users, RX, OI | CI},
               {Who::AuthenticatedUsers, M, OI | CI | IO},
               {Who::AuthenticatedUsers, AD, 0}}};
    // SYSTEM and Administrators may modify the folder itself but hold full
    // control only over what lies below it; only TrustedInstaller, the
    // owner, has full control of the folder.
    case Anchor::Windows:
    case Anchor::ProgramFiles:
      return {Who::TrustedInstaller,
              {{Who::TrustedInstaller, F, 0},
               {Who::TrustedInstaller, F, CI | IO},
               {Who::System, M, 0},
               {Who::System, F, OI | CI | IO},
               {Who::Administrators, M, 0},
               {Who::Administrators, F, OI | CI | IO},
               {Who::Users, RX, 0},
               {Who::Users, GRGE, OI | CI | IO},
               {Who::CreatorOwner, F, OI | CI | IO}}};
    case Anchor::SystemFile:
      return {Who::TrustedInstaller,
              {{Who::TrustedInstaller, F, 0},
               {Who::Administrators, RX, 0},
               {Who::System, RX, 0},
               {Who::Users, RX, 0}}};
    case Anchor::UserProfile:
      return {
          Who::User,
          {{Who::System, F, OI | CI}, {Who::Administrators, F, OI | CI}, {Who::User, F, OI | CI}}};
    case Anchor::AllUsers:
      return {Who::System,
              {{Who::System, F, OI | CI},
               {Who::Administrators, F, OI | CI},
               {Who::Users, RX, OI | CI},
               {Who::Everyone, RX, OI | CI}}};
    case Anchor::Software:
      return {Who::Administrators,
              {{Who::CreatorOwner, KF, CI | IO},
               {Who::System, KF, CI},
               {Who::Administrators, KF, CI},
               {Who::Users, KR, CI}}};
    case Anchor::CurrentUser:
      return {Who::Administrators,
              {{Who::User, KF, CI},
               {Who::System, KF, CI},
               {Who::Administrators, KF, CI},
               {Who::Restricted, KR, CI}}};
    default:
      return {};
  }
}

List ListOf(Family family, Anchor anchor) {
  // Every registry root grants Administrators and SYSTEM everything and
  // everyone else reading.
  if (anchor == Anchor::RegistryRoot) {
    return {Who::Administrators,
            {{Who::Administrators, KF, CI}, {Who::System, KF, CI}, {Who::Users, KR, CI}}};
  }
  switch (family) {
    case Family::Nt4:
      return Nt4List(anchor);
    case Family::Nt5:
      return Nt5List(anchor);
    case Family::Nt6:
      return Nt6List(anchor);
  }
  return {};
}

std::string ParentOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {};
  std::string parent = path.substr(0, slash);
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
  return parent;
}

std::optional<Anchor> FileAnchor(const Machine& machine, const SecuredObject& object,
                                 Family family) {
  const Machine::FolderKeys& folders = machine.folderKeys();
  const std::string key = FoldCase(object.path);
  if (key.size() == 3 && key[1] == ':' && key[2] == '\\') return Anchor::DriveRoot;
  if (key == folders.windows || key == folders.system) return Anchor::Windows;
  const std::string parent = FoldCase(ParentOf(object.path));
  if (!object.container && (parent == folders.windows || parent == folders.system)) {
    if (family == Family::Nt4) return std::nullopt;
    return Anchor::SystemFile;
  }
  // Under WOW64 the 32-bit Program Files folder has the native one's list.
  const std::string& programFiles = folders.programFiles;
  const std::string suffix = " (x86)";
  const std::string native = programFiles.ends_with(suffix)
                                 ? programFiles.substr(0, programFiles.size() - suffix.size())
                                 : programFiles;
  if (key == programFiles || key == native) return Anchor::ProgramFiles;
  // From Vista on Common Files has the same list as Program Files; before,
  // it inherits.
  const std::string& commonFiles = folders.commonFiles;
  const bool nativeCommonFiles = commonFiles.starts_with(programFiles) &&
                                 key == native + commonFiles.substr(programFiles.size());
  if (family == Family::Nt6 && (key == commonFiles || nativeCommonFiles)) {
    return Anchor::ProgramFiles;
  }
  if (key == ParentOf(folders.desktop)) return Anchor::UserProfile;
  // Vista keeps the list on the "Start Menu" folder; earlier systems on
  // the All Users profile that holds it.
  std::string allUsers = ParentOf(folders.commonPrograms);
  if (family != Family::Nt6) allUsers = ParentOf(allUsers);
  if (key == allUsers) return Anchor::AllUsers;
  return std::nullopt;
}

std::optional<Anchor> KeyAnchor(const SecuredObject& object) {
  const std::string key = FoldCase(object.path);
  if (key.find('\\') == std::string::npos) {
    return key == "hkey_current_user" ? Anchor::CurrentUser : Anchor::RegistryRoot;
  }
  if (key == "hkey_local_machine\\software") return Anchor::Software;
  return std::nullopt;
}

}  // namespace

std::optional<Descriptor> DefaultDescriptor(const Machine& machine, const SecuredObject& object) {
  const Profile& profile = machine.profile();
  // The Windows 95 line has no security at all: its registry keys carry no
  // lists (its disks, FAT, none either).
  if (profile.dwPlatformId != win::VER_PLATFORM_WIN32_NT) {
    if (object.kind == ObjectKind::RegistryKey && object.path.find('\\') == std::string::npos) {
      return Descriptor{std::nullopt, std::nullopt, std::nullopt, true};
    }
    return std::nullopt;
  }
  const Family family = profile.dwMajorVersion < 5   ? Family::Nt4
                        : profile.dwMajorVersion < 6 ? Family::Nt5
                                                     : Family::Nt6;
  const std::optional<Anchor> anchor = object.kind == ObjectKind::RegistryKey
                                           ? KeyAnchor(object)
                                           : FileAnchor(machine, object, family);
  if (!anchor) return std::nullopt;
  const List list = ListOf(family, *anchor);
  Descriptor descriptor{SidOf(list.owner), SystemSid(), Acl{}, true};
  for (const Entry& entry : list.entries) {
    descriptor.dacl->push_back(
        Ace{win::ACCESS_ALLOWED_ACE_TYPE, entry.flags, entry.mask, SidOf(entry.who)});
  }
  return descriptor;
}

}  // namespace lyn::sim
