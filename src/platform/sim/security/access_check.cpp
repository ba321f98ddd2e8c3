#include "platform/sim/security/access_check.h"

#include <algorithm>

#include "platform/api/kernel32.h"
#include "platform/sim/security/accounts.h"

namespace lyn::sim {

bool Token::Holds(const Sid& sid) const {
  return std::find(sids.begin(), sids.end(), sid) != sids.end();
}

Token UserToken(const Profile& profile) {
  Token token{{UserSid(), UsersSid()}};
  if (profile.IsAdmin) token.sids.push_back(AdministratorsSid());
  token.sids.push_back(EveryoneSid());
  token.sids.push_back(AuthenticatedUsersSid());
  return token;
}

win::ACCESS_MASK MapGeneric(win::ACCESS_MASK mask, const win::GENERIC_MAPPING& mapping) {
  const std::pair<win::ACCESS_MASK, win::ACCESS_MASK> generic[] = {
      {win::GENERIC_READ, mapping.GenericRead},
      {win::GENERIC_WRITE, mapping.GenericWrite},
      {win::GENERIC_EXECUTE, mapping.GenericExecute},
      {win::GENERIC_ALL, mapping.GenericAll}};
  for (const auto& [bit, specific] : generic) {
    if ((mask & bit) != 0) mask = (mask & ~bit) | specific;
  }
  return mask;
}

win::ACCESS_MASK GrantedAccess(const Descriptor& descriptor, const Token& token,
                               win::ACCESS_MASK desired) {
  if (!descriptor.dacl) return desired;
  win::ACCESS_MASK remaining = desired;
  if (descriptor.owner && token.Holds(*descriptor.owner)) remaining &= ~(READ_CONTROL | WRITE_DAC);
  for (const Ace& ace : *descriptor.dacl) {
    if (remaining == 0) break;
    if ((ace.flags & win::INHERIT_ONLY_ACE) != 0 || !token.Holds(ace.sid)) continue;
    if (ace.type == win::ACCESS_DENIED_ACE_TYPE) {
      if ((ace.mask & remaining) != 0) return 0;
    } else {
      remaining &= ~ace.mask;
    }
  }
  return remaining == 0 ? desired : 0;
}

}  // namespace lyn::sim
