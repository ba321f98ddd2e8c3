#include "platform/sim/security/access_check.h"

#include <utility>

#include "platform/api/kernel32.h"

namespace lyn::sim {

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
  if (descriptor.owner && token.Enabled(*descriptor.owner)) {
    remaining &= ~(READ_CONTROL | WRITE_DAC);
  }
  for (const Ace& ace : *descriptor.dacl) {
    if (remaining == 0) break;
    if ((ace.flags & win::INHERIT_ONLY_ACE) != 0) continue;
    if (ace.type == win::ACCESS_DENIED_ACE_TYPE) {
      if (token.Denied(ace.sid) && (ace.mask & remaining) != 0) return 0;
    } else if (token.Enabled(ace.sid)) {
      remaining &= ~ace.mask;
    }
  }
  return remaining == 0 ? desired : 0;
}

}  // namespace lyn::sim
