// Access tokens as Windows makes them for the machine's person, and the
// token a program gets when it is started as its manifest asks.
//
// Before Windows Vista an administrator's programs run with the full token
// and a standard user's with the user's. From Vista on, with User Account
// Control on, an administrator's programs run with the filtered token
// (Administrators deny-only) unless the program asks for administrator
// rights and the person consents; a standard user asked the same gives an
// administrator's password, and the program then runs as that
// administrator. With User Account Control off an administrator's programs
// get the full token, and a program asking for administrator rights cannot
// be started by a standard user at all.
#pragma once

#include <vector>

#include "platform/api/win_types.h"
#include "platform/sim/machine/profile.h"
#include "platform/sim/security/sid.h"

namespace lyn::sim {

struct Token {
  Sid user;
  // Groups that count for allow and deny entries alike.
  std::vector<Sid> groups;
  // Groups that count only for deny entries (the Administrators group of a
  // filtered token).
  std::vector<Sid> denyOnly;
  // The owner and group a new object gets.
  Sid owner;
  Sid primaryGroup;

  // Whether an entry for `sid` grants this token something: the user or an
  // enabled group.
  bool Enabled(const Sid& sid) const;
  // Whether an entry for `sid` denies this token something: deny-only
  // groups count too.
  bool Denied(const Sid& sid) const;

  friend bool operator==(const Token&, const Token&) = default;
};

// A standard user's token.
Token StandardUserToken(const Profile& profile);
// An administrator's full token for the account `user` (the profile's user,
// or the built-in Administrator whose password a standard user gave).
Token AdministratorToken(const Profile& profile, const Sid& user);
// An administrator's filtered token: Administrators deny-only.
Token FilteredToken(const Profile& profile);
// The token the person's programs get without asking for more: the full
// token on systems without User Account Control or with it off, else the
// filtered one; a standard user's own.
Token InvokerToken(const Profile& profile);

// Why a program did not start.
inline constexpr win::DWORD kErrorCancelled = 1223;         // ERROR_CANCELLED
inline constexpr win::DWORD kErrorElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

// What a program's manifest asks for (requestedExecutionLevel).
enum class ExecutionLevel { AsInvoker, RequireAdministrator };

// The product's programs, the setup program and its uninstaller, ask for
// administrator rights: they write to Program Files, the system folder and
// HKEY_LOCAL_MACHINE, which only administrators may change.
inline constexpr ExecutionLevel kProductExecutionLevel = ExecutionLevel::RequireAdministrator;

// The prompt the person sees before the program starts.
enum class ElevationPrompt {
  None,
  Consent,      // an administrator is asked Yes or No
  Credentials,  // a standard user is asked for an administrator's password
};

// How Windows starts a program of the given level for the profile's person.
struct ProgramStart {
  ElevationPrompt prompt = ElevationPrompt::None;
  // The person's answer to the prompt (the profile's ElevationAnswer).
  bool answeredYes = false;
  // 0 when the program starts; kErrorCancelled when the prompt was
  // answered No; kErrorElevationRequired when User Account Control is off
  // and a standard user starts a program asking for administrator rights.
  win::DWORD error = 0;
  // The started program's token.
  Token token;
};

ProgramStart StartProgram(const Profile& profile, ExecutionLevel level);

// The token of the product's program running on the machine; the invoker's
// own where Windows would not start it.
Token ProcessToken(const Profile& profile);

}  // namespace lyn::sim
