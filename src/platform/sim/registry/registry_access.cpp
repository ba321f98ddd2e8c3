#include "platform/sim/registry/registry_access.h"

#include "platform/sim/registry/registry_store.h"
#include "platform/sim/security/security_model.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr REGSAM kViewFlags = KEY_WOW64_32KEY | KEY_WOW64_64KEY;
constexpr REGSAM kDelete = 0x00010000;

bool Granted(const Machine& machine, std::string_view keyPath, REGSAM rights) {
  if (rights == 0) return true;
  const SecurityModel model(machine);
  return model.UserAccess(model.Find(ObjectKind::RegistryKey, keyPath), rights) != 0;
}

}  // namespace

bool MayOpenKey(const Machine& machine, std::string_view keyPath, REGSAM desired) {
  return Granted(machine, keyPath, desired & ~kViewFlags);
}

REGSAM MaximumKeyAccess(const Machine& machine, std::string_view keyPath) {
  for (const REGSAM rights : {KEY_ALL_ACCESS, KEY_READ}) {
    if (Granted(machine, keyPath, rights)) return rights;
  }
  return 0;
}

bool MayCreateKey(const Machine& machine, std::string_view keyPath) {
  std::vector<std::string> parent = SplitKeyPath(keyPath);
  if (parent.size() < 2) return false;
  parent.pop_back();
  return Granted(machine, JoinKeyPath(parent), KEY_CREATE_SUB_KEY);
}

bool MayDeleteKey(const Machine& machine, std::string_view keyPath) {
  return Granted(machine, keyPath, kDelete);
}

void KeyCreated(const Machine& machine, std::string_view keyPath) {
  const SecurityModel model(machine);
  model.Created(model.Find(ObjectKind::RegistryKey, keyPath));
}

}  // namespace lyn::sim
