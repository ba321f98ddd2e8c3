#include "platform/sim/security/accounts.h"

#include "platform/sim/machine/case_fold.h"

namespace lyn::sim {

namespace {

constexpr std::uint64_t kWorldAuthority = 1;
constexpr std::uint64_t kCreatorAuthority = 3;
constexpr std::uint64_t kNtAuthority = 5;
// The machine's own domain identifier, under which its local accounts are.
constexpr std::uint32_t kMachineDomain[] = {21, 1004336348, 1177238915, 682003330};

std::string MachineName(const Profile& profile) {
  std::string upper;
  for (const char c : profile.UserName) {
    upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return upper + "-PC";
}

// An account of the machine's own domain by its relative identifier.
Sid MachineAccountSid(std::uint32_t relative) {
  Sid sid{kNtAuthority, {std::begin(kMachineDomain), std::end(kMachineDomain)}};
  sid.subAuthorities.push_back(relative);
  return sid;
}

}  // namespace

Sid EveryoneSid() {
  return {kWorldAuthority, {0}};
}
Sid SystemSid() {
  return {kNtAuthority, {18}};
}
Sid AuthenticatedUsersSid() {
  return {kNtAuthority, {11}};
}
Sid AdministratorsSid() {
  return {kNtAuthority, {win::SECURITY_BUILTIN_DOMAIN_RID, win::DOMAIN_ALIAS_RID_ADMINS}};
}
Sid UsersSid() {
  return {kNtAuthority, {win::SECURITY_BUILTIN_DOMAIN_RID, win::DOMAIN_ALIAS_RID_USERS}};
}
Sid TrustedInstallerSid() {
  return {kNtAuthority, {80, 956008885, 3418522649, 1831038044, 1853292631, 2271478464}};
}
Sid PowerUsersSid() {
  return {kNtAuthority, {win::SECURITY_BUILTIN_DOMAIN_RID, 547}};
}
Sid RestrictedSid() {
  return {kNtAuthority, {12}};
}
Sid CreatorOwnerSid() {
  return {kCreatorAuthority, {0}};
}
Sid CreatorGroupSid() {
  return {kCreatorAuthority, {1}};
}
Sid UserSid() {
  return MachineAccountSid(1000);
}
Sid BuiltinAdministratorSid() {
  return MachineAccountSid(500);
}
Sid NoneGroupSid() {
  return MachineAccountSid(513);
}

std::vector<Account> Accounts(const Profile& profile) {
  std::vector<Account> accounts = {
      {EveryoneSid(), "Everyone", "", win::SidTypeWellKnownGroup},
      {SystemSid(), "SYSTEM", "NT AUTHORITY", win::SidTypeWellKnownGroup},
      {AuthenticatedUsersSid(), "Authenticated Users", "NT AUTHORITY", win::SidTypeWellKnownGroup},
      {AdministratorsSid(), "Administrators", "BUILTIN", win::SidTypeAlias},
      {UsersSid(), profile.UsersGroupName, "BUILTIN", win::SidTypeAlias},
      {PowerUsersSid(), "Power Users", "BUILTIN", win::SidTypeAlias},
      {RestrictedSid(), "RESTRICTED", "NT AUTHORITY", win::SidTypeWellKnownGroup},
      {CreatorOwnerSid(), "CREATOR OWNER", "", win::SidTypeWellKnownGroup},
      {CreatorGroupSid(), "CREATOR GROUP", "", win::SidTypeWellKnownGroup},
      {UserSid(), profile.UserName, MachineName(profile), win::SidTypeUser},
      {NoneGroupSid(), "None", MachineName(profile), win::SidTypeGroup},
  };
  // A person logged on as the built-in Administrator is that account already.
  if (FoldCase(profile.UserName) != "administrator") {
    accounts.push_back(
        {BuiltinAdministratorSid(), "Administrator", MachineName(profile), win::SidTypeUser});
  }
  if (profile.dwMajorVersion >= 6) {
    accounts.push_back(
        {TrustedInstallerSid(), "TrustedInstaller", "NT SERVICE", win::SidTypeWellKnownGroup});
  }
  return accounts;
}

std::optional<Account> FindAccount(const Profile& profile, const Sid& sid) {
  for (Account& account : Accounts(profile)) {
    if (account.sid == sid && !account.name.empty()) return std::move(account);
  }
  return std::nullopt;
}

std::optional<Sid> SidOfAccountName(const Profile& profile, std::string_view name) {
  if (auto sid = SidFromText(name)) return sid;
  const std::string folded = FoldCase(name);
  for (const Account& account : Accounts(profile)) {
    if (account.name.empty()) continue;
    if (FoldCase(account.name) == folded ||
        FoldCase(account.domain + "\\" + account.name) == folded) {
      return account.sid;
    }
  }
  return std::nullopt;
}

std::string AccountText(const Profile& profile, const Sid& sid) {
  const auto account = FindAccount(profile, sid);
  if (!account) return SidText(sid);
  return account->domain.empty() ? account->name : account->domain + "\\" + account->name;
}

}  // namespace lyn::sim
