// The accounts and groups an emulated machine knows: the well-known ones,
// the built-in groups (Users under the profile's local name), the service
// account "TrustedInstaller" (from Windows Vista on), the profile's user, the
// machine's built-in Administrator account and its "None" group.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api/advapi32_security.h"
#include "platform/sim/machine/profile.h"
#include "platform/sim/security/sid.h"

namespace lyn::sim {

struct Account {
  Sid sid;
  std::string name;    // UTF-8
  std::string domain;  // UTF-8; empty for Everyone
  win::SID_NAME_USE use = win::SidTypeUser;
};

Sid EveryoneSid();
Sid SystemSid();
Sid AuthenticatedUsersSid();
Sid AdministratorsSid();
Sid UsersSid();
Sid TrustedInstallerSid();
Sid PowerUsersSid();
Sid RestrictedSid();
// Placeholders in inheritable entries, replaced by a new object's owner
// and group when it is made.
Sid CreatorOwnerSid();
Sid CreatorGroupSid();
// The profile user's identifier: a local account of the machine.
Sid UserSid();
// The machine's built-in Administrator account (relative identifier 500),
// whose password a standard user types into the elevation prompt.
Sid BuiltinAdministratorSid();
// The machine's "None" group (513), the primary group of its local accounts.
Sid NoneGroupSid();

// Every account the machine's profile maps.
std::vector<Account> Accounts(const Profile& profile);
std::optional<Account> FindAccount(const Profile& profile, const Sid& sid);
// By "name" or "DOMAIN\name", case-insensitively, or by an "S-1-..." text
// (which need not be mapped).
std::optional<Sid> SidOfAccountName(const Profile& profile, std::string_view name);
// "DOMAIN\name" of an identifier, or its "S-1-..." text when unmapped.
std::string AccountText(const Profile& profile, const Sid& sid);

}  // namespace lyn::sim
