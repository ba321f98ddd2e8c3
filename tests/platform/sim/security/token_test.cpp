// The tokens Windows gives the product's programs, and what each token may
// do with the lists a fresh Windows has. Wine enforces no file access lists
// and has no User Account Control prompt, so these tables are written from
// Microsoft's documentation (docs/default-access-lists.md names each source)
// rather than compared with Wine.
#include "platform/sim/security/token.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "fakes/machine_platform.h"
#include "platform/sim/security/accounts.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {
namespace {

using namespace lyn::win;

Profile With(const char* preset, bool admin, bool lua = true, const char* answer = "Yes") {
  Profile profile = FindPreset(preset).profile;
  profile.IsAdmin = admin;
  profile.EnableLUA = lua;
  profile.ElevationAnswer = answer;
  return profile;
}

bool HoldsAdministrators(const Token& token) {
  return token.Enabled(AdministratorsSid());
}

// How Windows starts a program whose manifest asks for administrator rights.
TEST(ProgramStartTest, ElevationFollowsTheSystemTheSettingAndTheAnswer) {
  const struct Row {
    const char* why;
    Profile profile;
    ElevationPrompt prompt;
    DWORD error;
    bool administrators;  // the started program holds Administrators enabled
    Sid user;
  } rows[] = {
      {"Windows 7 administrator consents", With("win7-ultimate-sp1", true),
       ElevationPrompt::Consent, 0, true, UserSid()},
      {"Windows 7 administrator declines", With("win7-ultimate-sp1", true, true, "No"),
       ElevationPrompt::Consent, kErrorCancelled, false, UserSid()},
      {"a standard user types an administrator's password and runs as that administrator",
       With("win7-ultimate-sp1", false), ElevationPrompt::Credentials, 0, true,
       BuiltinAdministratorSid()},
      {"a standard user cancels the credentials prompt",
       With("win7-ultimate-sp1", false, true, "No"), ElevationPrompt::Credentials, kErrorCancelled,
       false, UserSid()},
      {"User Account Control off: an administrator runs with the full token at once",
       With("win7-ultimate-sp1", true, false, "No"), ElevationPrompt::None, 0, true, UserSid()},
      {"User Account Control off: a standard user cannot start it",
       With("win7-ultimate-sp1", false, false), ElevationPrompt::None, kErrorElevationRequired,
       false, UserSid()},
      {"the built-in Administrator of a server is never filtered",
       With("win2008-standard", true, true, "No"), ElevationPrompt::None, 0, true, UserSid()},
      {"Windows XP does not read the request: an administrator's full token",
       With("winxp-pro", true, true, "No"), ElevationPrompt::None, 0, true, UserSid()},
      {"Windows XP does not read the request: a limited user's own token", With("winxp-pro", false),
       ElevationPrompt::None, 0, false, UserSid()},
  };
  for (const Row& row : rows) {
    const ProgramStart start = StartProgram(row.profile, ExecutionLevel::RequireAdministrator);
    EXPECT_EQ(start.prompt, row.prompt) << row.why;
    EXPECT_EQ(start.error, row.error) << row.why;
    EXPECT_EQ(HoldsAdministrators(start.token), row.administrators) << row.why;
    EXPECT_EQ(start.token.user, row.user) << row.why;
    EXPECT_EQ(ProcessToken(row.profile), start.token) << row.why;
  }
  // Asking for nothing, an administrator's program gets the filtered token.
  const Token invoker =
      StartProgram(With("win7-ultimate-sp1", true), ExecutionLevel::AsInvoker).token;
  EXPECT_FALSE(HoldsAdministrators(invoker));
  EXPECT_TRUE(invoker.Denied(AdministratorsSid()));
}

// The emulated machine starts the programs as the manifests built into
// them ask.
TEST(ProgramStartTest, TheProgramsManifestsAskForWhatTheMachineGrants) {
  const std::string level = kProductExecutionLevel == ExecutionLevel::RequireAdministrator
                                ? "level=\"requireAdministrator\""
                                : "level=\"asInvoker\"";
  for (const char* program : {"LYNSetup", "UninstallLYN67"}) {
    const std::filesystem::path file = std::filesystem::path(LYN_SOURCE_DIR) / "resources" /
                                       "windows" / (std::string(program) + ".manifest");
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find(level), std::string::npos) << program;
  }
}

enum class Kind { Full, Filtered, Standard };

Token TokenOf(Kind kind, const Profile& profile) {
  switch (kind) {
    case Kind::Full:
      return AdministratorToken(profile, UserSid());
    case Kind::Filtered:
      return FilteredToken(profile);
    case Kind::Standard:
      return StandardUserToken(profile);
  }
  return {};
}

constexpr DWORD kWrite = 0x00120116;  // the file generic write mapping
constexpr DWORD kAll = FILE_ALL_ACCESS;
constexpr DWORD kAddFolder = 0x00000004;  // FILE_ADD_SUBDIRECTORY
constexpr DWORD kWriteDac = 0x00040000;
constexpr DWORD kCreateSubKey = 0x00000004;
constexpr DWORD kSetValue = 0x00000002;

// Tokens against the lists a fresh Windows has on the objects the program
// touches.
TEST(DefaultListsTest, WhatEachTokenMayDoOnAFreshWindows) {
  const struct Row {
    const char* preset;
    Kind kind;
    const char* path;
    DWORD desired;
    bool granted;
    const char* why;
  } rows[] = {
      {"win7-ultimate-sp1", Kind::Full, "C:\\Windows\\system32", kWrite, true,
       "Administrators hold Modify on the folder itself"},
      {"win7-ultimate-sp1", Kind::Full, "C:\\Windows\\system32", kAll, false,
       "Modify lacks delete-child, write-DAC and write-owner"},
      {"win7-ultimate-sp1", Kind::Full, "C:\\Windows", kWriteDac, false,
       "only TrustedInstaller, the owner, may change the list"},
      {"win7-ultimate-sp1", Kind::Full, "C:\\Windows\\system32\\kernel32.dll", kWrite, false,
       "Administrators may only read and run the system's files"},
      {"win7-ultimate-sp1", Kind::Full, "C:\\Program Files", kAddFolder, true,
       "Modify includes adding a folder"},
      {"win7-ultimate-sp1", Kind::Full, "C:\\Program Files\\Common Files\\Old", kWriteDac, true,
       "below Program Files Administrators hold full control"},
      {"win7-ultimate-sp1", Kind::Filtered, "C:\\Program Files", kAddFolder, false,
       "the filtered token's Administrators count for deny entries only"},
      {"win7-ultimate-sp1", Kind::Standard, "C:\\Windows\\system32", kWrite, false,
       "Users may read and run"},
      {"win7-ultimate-sp1", Kind::Full, "HKLM\\SOFTWARE", kWriteDac, true,
       "Administrators hold full control of SOFTWARE"},
      {"win7-ultimate-sp1", Kind::Filtered, "HKLM\\SOFTWARE\\Microsoft", kCreateSubKey, false,
       "Users may read SOFTWARE"},
      {"win7-ultimate-sp1", Kind::Filtered, "C:\\Users\\Owner\\Desktop", kWrite, true,
       "the user holds full control of the profile"},
      {"win7-ultimate-sp1", Kind::Standard, "HKCU\\Software", kSetValue, true,
       "the user holds full control of the own hive"},
      {"winxp-pro", Kind::Full, "C:\\WINDOWS\\system32", kAll, true,
       "XP's administrators hold full control of the system folder"},
      {"winxp-pro", Kind::Full, "C:\\WINDOWS\\system32\\kernel32.dll", kWrite, true,
       "and of the system's files"},
      {"winxp-pro", Kind::Standard, "C:\\Program Files", kAddFolder, false,
       "XP's Users may read and run Program Files"},
      {"winxp-pro", Kind::Standard, "HKLM\\SOFTWARE", kCreateSubKey, false,
       "XP's Users may read SOFTWARE"},
      {"nt4-sp6", Kind::Standard, "C:\\WINNT\\system32\\kernel32.dll", kWrite, true,
       "NT 4.0 gives Everyone Change on the system folder and its files"},
      {"nt4-sp6", Kind::Standard, "C:\\WINNT\\system32", kAll, false, "but not full control"},
      {"nt4-sp6", Kind::Standard, "HKLM\\SOFTWARE\\Orrin", kCreateSubKey, true,
       "NT 4.0 lets Everyone write SOFTWARE"},
  };
  std::map<std::string, std::unique_ptr<fakes::MachinePlatform>> machines;
  for (const Row& row : rows) {
    const Profile& profile = FindPreset(row.preset).profile;
    auto& machine = machines[row.preset];
    if (!machine) {
      machine = std::make_unique<fakes::MachinePlatform>(profile);
      machine->PutFile(profile.SystemDirectory + "\\kernel32.dll", "MZ");
    }
    const SecurityModel model(machine->machine(), TokenOf(row.kind, profile));
    const ObjectKind kind = IsKeyPath(row.path) ? ObjectKind::RegistryKey : ObjectKind::File;
    EXPECT_EQ(model.UserAccess(model.Find(kind, row.path), row.desired) != 0, row.granted)
        << row.preset << " " << row.path << ": " << row.why;
  }
}

// A deny-only group still meets deny entries, and owning through it gives
// nothing.
TEST(DefaultListsTest, TheFilteredTokensAdministratorsOnlyDeny) {
  fakes::MachinePlatform machine;
  machine.MakeFolder("C:\\Data");
  const Profile& profile = machine.machine().profile();
  const SecurityModel full(machine.machine(), AdministratorToken(profile, UserSid()));
  const SecurityModel filtered(machine.machine(), FilteredToken(profile));
  const SecuredObject folder = full.Find(ObjectKind::File, "C:\\Data");
  full.SetDescriptor(folder,
                     Descriptor{AdministratorsSid(), SystemSid(),
                                Acl{Ace{ACCESS_DENIED_ACE_TYPE, 0, kWrite, AdministratorsSid()},
                                    Ace{ACCESS_ALLOWED_ACE_TYPE, 0, kAll, UsersSid()}},
                                true});
  EXPECT_EQ(filtered.UserAccess(folder, kWrite), 0u);
  EXPECT_EQ(StandardUserToken(profile).Denied(AdministratorsSid()), false);
  EXPECT_EQ(SecurityModel(machine.machine(), StandardUserToken(profile)).UserAccess(folder, kWrite),
            kWrite);
  // Owned by Administrators with an empty list: the full token may still
  // read and change the list as owner, the filtered one may not.
  full.SetDescriptor(folder, Descriptor{AdministratorsSid(), SystemSid(), Acl{}, true});
  EXPECT_EQ(full.UserAccess(folder, kWriteDac), kWriteDac);
  EXPECT_EQ(filtered.UserAccess(folder, kWriteDac), 0u);
}

// What the program makes belongs to its token's default owner, who takes
// the place of CREATOR OWNER in the inherited entries.
TEST(CreatedTest, NewObjectsGetTheTokensOwnerAndTheCreatorsEntries) {
  const struct Row {
    const char* preset;
    Kind kind;
    Sid owner;
  } rows[] = {
      {"win7-ultimate-sp1", Kind::Full, AdministratorsSid()},
      {"win7-ultimate-sp1", Kind::Filtered, UserSid()},
      {"winxp-pro", Kind::Full, UserSid()},  // XP's default owner: the object's creator
      {"win2000-pro", Kind::Full, AdministratorsSid()},
      {"win2000-pro", Kind::Standard, UserSid()},
  };
  for (const Row& row : rows) {
    const Profile profile = FindPreset(row.preset).profile;
    fakes::MachinePlatform machine(profile);
    const SecurityModel model(machine.machine(), TokenOf(row.kind, profile));
    const std::string folderPath = profile.ProgramFiles + "\\LYN";
    machine.MakeFolder(folderPath);
    const SecuredObject folder = model.Find(ObjectKind::File, folderPath);
    model.Created(folder);
    machine.PutFile(folderPath + "\\LYN.exe", "MZ");
    const SecuredObject file = model.Find(ObjectKind::File, folderPath + "\\LYN.exe");
    model.Created(file);

    for (const SecuredObject& object : {folder, file}) {
      const Descriptor descriptor = model.DescriptorOf(object);
      const Acl& acl = *descriptor.dacl;
      EXPECT_EQ(descriptor.owner, row.owner) << row.preset << " " << object.path;
      // Program Files grants CREATOR OWNER full control of what is below:
      // the owner holds it, and the placeholder itself grants nothing.
      EXPECT_NE(std::find(acl.begin(), acl.end(),
                          Ace{ACCESS_ALLOWED_ACE_TYPE, INHERITED_ACE, kAll, row.owner}),
                acl.end())
          << row.preset << " " << object.path;
      EXPECT_TRUE(std::none_of(acl.begin(), acl.end(),
                               [](const Ace& ace) {
                                 return ace.sid == CreatorOwnerSid() &&
                                        (ace.flags & INHERIT_ONLY_ACE) == 0;
                               }))
          << row.preset << " " << object.path;
    }
    const Acl entries = *model.DescriptorOf(folder).dacl;
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const Ace& ace) {
                              return ace.sid == CreatorOwnerSid() &&
                                     ace.flags == (INHERITED_ACE | INHERIT_ONLY_ACE |
                                                   OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
                            }),
              1)
        << row.preset << ": a folder passes CREATOR OWNER on";
  }
}

}  // namespace
}  // namespace lyn::sim
