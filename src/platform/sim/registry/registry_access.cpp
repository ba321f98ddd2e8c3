#include "platform/sim/registry/registry_access.h"

#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {

bool MayWriteKey(const Profile& profile, std::string_view keyPath) {
  const std::vector<std::string> components = SplitKeyPath(keyPath);
  if (!components.empty() && components.front() == "HKEY_CURRENT_USER") return true;
  return profile.IsAdmin;
}

}  // namespace lyn::sim
