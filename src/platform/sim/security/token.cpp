#include "platform/sim/security/token.h"

#include <algorithm>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/security/accounts.h"

namespace lyn::sim {
namespace {

bool Contains(const std::vector<Sid>& sids, const Sid& sid) {
  return std::find(sids.begin(), sids.end(), sid) != sids.end();
}

// Windows Vista and later: the systems with User Account Control.
bool Vista(const Profile& profile) {
  return profile.dwPlatformId == win::VER_PLATFORM_WIN32_NT && profile.dwMajorVersion >= 6;
}

// The built-in Administrator account is not filtered by User Account
// Control ("Admin Approval Mode for the Built-in Administrator account" is
// off by default): the server presets log on as it.
bool IsBuiltinAdministrator(const Profile& profile) {
  return FoldCase(profile.UserName) == "administrator";
}

// The groups every interactive user's token holds.
std::vector<Sid> UserGroups() {
  return {EveryoneSid(), UsersSid(), AuthenticatedUsersSid()};
}

}  // namespace

bool Token::Enabled(const Sid& sid) const {
  return sid == user || Contains(groups, sid);
}

bool Token::Denied(const Sid& sid) const {
  return Enabled(sid) || Contains(denyOnly, sid);
}

Token StandardUserToken(const Profile&) {
  return Token{UserSid(), UserGroups(), {}, UserSid(), NoneGroupSid()};
}

Token AdministratorToken(const Profile& profile, const Sid& user) {
  std::vector<Sid> groups = UserGroups();
  groups.push_back(AdministratorsSid());
  // New objects of an administrator belong to the Administrators group,
  // except on Windows XP, whose policy "Default owner for objects created by
  // members of the Administrators group" is "Object creator" by default.
  const bool windowsXp = profile.dwMajorVersion == 5 && profile.dwMinorVersion == 1;
  return Token{user, groups, {}, windowsXp ? user : AdministratorsSid(), NoneGroupSid()};
}

Token FilteredToken(const Profile& profile) {
  // A deny-only group cannot own objects: the user does.
  Token token = StandardUserToken(profile);
  token.denyOnly.push_back(AdministratorsSid());
  return token;
}

Token InvokerToken(const Profile& profile) {
  if (!profile.IsAdmin) return StandardUserToken(profile);
  if (Vista(profile) && profile.EnableLUA && !IsBuiltinAdministrator(profile)) {
    return FilteredToken(profile);
  }
  return AdministratorToken(profile, UserSid());
}

ProgramStart StartProgram(const Profile& profile, ExecutionLevel level) {
  ProgramStart start;
  start.token = InvokerToken(profile);
  // Before Vista the manifest's request is not read; an administrator's
  // token is full already with User Account Control off, and the built-in
  // Administrator's always.
  if (level == ExecutionLevel::AsInvoker || !Vista(profile)) return start;
  if (profile.IsAdmin && (!profile.EnableLUA || IsBuiltinAdministrator(profile))) return start;
  if (!profile.EnableLUA) {
    start.error = kErrorElevationRequired;
    return start;
  }
  start.prompt = profile.IsAdmin ? ElevationPrompt::Consent : ElevationPrompt::Credentials;
  start.answeredYes = profile.ElevationAnswer == "Yes";
  if (!start.answeredYes) {
    start.error = kErrorCancelled;
    return start;
  }
  // A standard user's program runs as the administrator whose password was
  // typed in.
  start.token =
      AdministratorToken(profile, profile.IsAdmin ? UserSid() : BuiltinAdministratorSid());
  return start;
}

Token ProcessToken(const Profile& profile) {
  return StartProgram(profile, kProductExecutionLevel).token;
}

}  // namespace lyn::sim
