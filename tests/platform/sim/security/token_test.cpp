// The tokens Windows gives the product's programs, and what each token may
// do with the lists a fresh Windows has. Wine enforces no file access lists
// and has no User Account Control prompt, so these tables are written from
// Microsoft's documentation (docs/default-access-lists.md names each source)
// rather than compared with Wine.
#include "platform/sim/security/token.h"

#include <gtest/gtest.h>

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

// How Windows starts a program whose manifest asks for administrator
// rights, and who owns what the program makes: Administrators for an
// administrator's full token (KB 100599), except on XP, whose default is the
// object's creator (KB 318825); the user for any other token.
TEST(ProgramStartTest, ElevationFollowsTheSystemTheSettingAndTheAnswer) {
  const struct Row {
    const char* why;
    Profile profile;
    ElevationPrompt prompt;
    bool administrators;  // the started program holds Administrators enabled
    Sid owner;
  } rows[] = {
      {"Windows 7 administrator consents", With("win7-ultimate-sp1", true),
       ElevationPrompt::Consent, true, AdministratorsSid()},
      {"User Account Control off: an administrator is not asked",
       With("win7-ultimate-sp1", true, false, "No"), ElevationPrompt::None, true,
       AdministratorsSid()},
      {"the built-in Administrator of a server is never filtered",
       With("win2008-standard", true, true, "No"), ElevationPrompt::None, true,
       AdministratorsSid()},
      {"Windows XP does not read the request", With("winxp-pro", true, true, "No"),
       ElevationPrompt::None, true, UserSid()},
      {"nor does Windows 2000", With("win2000-pro", true), ElevationPrompt::None, true,
       AdministratorsSid()},
      {"an XP limited user runs with the user's rights", With("winxp-pro", false),
       ElevationPrompt::None, false, UserSid()},
  };
  for (const Row& row : rows) {
    const ProgramStart start = StartProgram(row.profile, ExecutionLevel::RequireAdministrator);
    EXPECT_EQ(start.prompt, row.prompt) << row.why;
    EXPECT_EQ(start.error, 0u) << row.why;
    EXPECT_EQ(start.token.Enabled(AdministratorsSid()), row.administrators) << row.why;
    EXPECT_EQ(start.token.owner, row.owner) << row.why;
  }
  // Asking for nothing, an administrator's program gets the filtered token.
  const Token invoker =
      StartProgram(With("win7-ultimate-sp1", true), ExecutionLevel::AsInvoker).token;
  EXPECT_FALSE(invoker.Enabled(AdministratorsSid()));
  EXPECT_TRUE(invoker.Denied(AdministratorsSid()));
}

// An administrator's full token, as elevation gives it.
Token Full(const Profile& profile) {
  return AdministratorToken(profile, UserSid());
}

constexpr DWORD kWrite = 0x00120116;  // the file generic write mapping
constexpr DWORD kAll = FILE_ALL_ACCESS;
constexpr DWORD kAddFolder = 0x00000004;  // FILE_ADD_SUBDIRECTORY
constexpr DWORD kWriteDac = 0x00040000;
constexpr DWORD kCreateSubKey = 0x00000004;

// Tokens against the lists a fresh Windows has on the objects the program
// touches.
TEST(DefaultListsTest, WhatEachTokenMayDoOnAFreshWindows) {
  const struct Row {
    const char* preset;
    Token (*token)(const Profile&);
    const char* path;
    DWORD desired;
    bool granted;
    const char* why;
  } rows[] = {
      {"win7-ultimate-sp1", Full, "C:\\Windows\\system32", kWrite, true,
       "Administrators hold Modify on the folder itself"},
      {"win7-ultimate-sp1", Full, "C:\\Windows\\system32", kAll, false,
       "Modify lacks delete-child, write-DAC and write-owner"},
      {"win7-ultimate-sp1", Full, "C:\\Windows\\system32\\kernel32.dll", kWrite, false,
       "Administrators may only read and run the system's files"},
      {"win7-ultimate-sp1", FilteredToken, "C:\\Program Files", kAddFolder, false,
       "the filtered token's Administrators count for deny entries only"},
      {"win7-ultimate-sp1", StandardUserToken, "C:\\Windows\\system32", kWrite, false,
       "Users may read and run"},
      {"win7-ultimate-sp1", FilteredToken, "HKLM\\SOFTWARE\\Microsoft", kCreateSubKey, false,
       "Users may read SOFTWARE"},
      {"win7-ultimate-sp1", FilteredToken, "C:\\Users\\Owner\\Desktop", kWrite, true,
       "the user holds full control of the profile"},
      {"winxp-pro", StandardUserToken, "C:\\Program Files", kAddFolder, false,
       "XP's Users may read and run Program Files"},
      {"nt4-sp6", StandardUserToken, "C:\\WINNT\\system32\\kernel32.dll", kWrite, true,
       "NT 4.0 gives Everyone Change on the system folder and its files"},
      {"nt4-sp6", StandardUserToken, "HKLM\\SOFTWARE\\Orrin", kCreateSubKey, true,
       "NT 4.0 lets Everyone write SOFTWARE"},
  };
  for (const Row& row : rows) {
    const Profile& profile = FindPreset(row.preset).profile;
    fakes::MachinePlatform machine(profile);
    machine.PutFile(profile.SystemDirectory + "\\kernel32.dll", "MZ");
    const SecurityModel model(machine.machine(), row.token(profile));
    const ObjectKind kind = IsKeyPath(row.path) ? ObjectKind::RegistryKey : ObjectKind::File;
    EXPECT_EQ(model.UserAccess(model.Find(kind, row.path), row.desired) != 0, row.granted)
        << row.preset << " " << row.path << ": " << row.why;
  }
}

// A deny-only group still meets deny entries, and owning through it gives
// nothing.
TEST(DefaultListsTest, TheFilteredTokensAdministratorsOnlyDeny) {
  const Profile profile;
  const Descriptor denied{AdministratorsSid(), SystemSid(),
                          Acl{Ace{ACCESS_DENIED_ACE_TYPE, 0, kWrite, AdministratorsSid()},
                              Ace{ACCESS_ALLOWED_ACE_TYPE, 0, kAll, UsersSid()}},
                          true};
  EXPECT_EQ(GrantedAccess(denied, FilteredToken(profile), kWrite), 0u);
  EXPECT_EQ(GrantedAccess(denied, StandardUserToken(profile), kWrite), kWrite);
  const Descriptor owned{AdministratorsSid(), SystemSid(), Acl{}, true};
  EXPECT_EQ(GrantedAccess(owned, AdministratorToken(profile, UserSid()), kWriteDac), kWriteDac);
  EXPECT_EQ(GrantedAccess(owned, FilteredToken(profile), kWriteDac), 0u);
}

}  // namespace
}  // namespace lyn::sim
