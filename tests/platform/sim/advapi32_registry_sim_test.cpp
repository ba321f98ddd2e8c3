#include "platform/sim/advapi32_registry_sim.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/machine_platform.h"
#include "platform/sim/registry/registry_text.h"
#include "platform/sim/security/security_model.h"
#include "platform/sim/security/security_text.h"

namespace lyn::sim {
namespace {

using namespace win;
using fakes::MachinePlatform;

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

LONG SetString(Advapi32Registry& registry, HKEY key, const char* name, const std::string& text) {
  return registry.RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
}

// Gives a key the access list of an SDDL text, as `lynsim new --set
// Security:KEY=SDDL` does.
void SetKeyList(const Machine& machine, const char* key, const char* text) {
  const SecurityModel model(machine);
  const SecuredObject object = model.Find(ObjectKind::RegistryKey, key);
  Descriptor descriptor = model.DescriptorOf(object);
  ApplySddl(text, descriptor);
  model.SetDescriptor(object, descriptor);
}

// What becomes of keys and handles is compared with Windows' by the registry
// differential test; here, what access lists allow.
// Windows XP runs the program with a limited user's own token.
TEST(SimRegistryTest, AStandardUserReadsTheMachineKeysAndChangesOnlyWhatAListGrants) {
  Profile profile = FindPreset("winxp-pro").profile;
  profile.IsAdmin = false;
  MachinePlatform machine(profile);
  Advapi32Registry& registry = machine.platform().registry;
  HKEY key = 0;
  // An existing key opens for reading only.
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, kUninstall, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(registry, key, "A", "1"), static_cast<LONG>(ERROR_ACCESS_DENIED));
  registry.RegCloseKey(key);
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_ALL_ACCESS, &key),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  // The user's own hive is theirs.
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Orrin", &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(registry, key, "A", "1"), ERROR_SUCCESS);
  registry.RegCloseKey(key);

  ImportRegistry(machine.machine(),
                 "Windows Registry Editor Version 5.00\n[HKLM\\SOFTWARE\\Orrin]\n");
  SetKeyList(machine.machine(), "HKLM\\SOFTWARE\\Orrin", "D:P(A;CI;KA;;;BU)");
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orrin\\LYN", &key),
            ERROR_SUCCESS);
  EXPECT_EQ(SetString(registry, key, "A", "1"), ERROR_SUCCESS);
  registry.RegCloseKey(key);
}

TEST(SimRegistryTest, AKeysAccessListDecidesWhatEvenAnAdministratorMayDo) {
  MachinePlatform machine;
  Advapi32Registry& registry = machine.platform().registry;
  const char* old = "SOFTWARE\\Orrin\\Old";
  HKEY key = 0;
  ImportRegistry(machine.machine(),
                 "Windows Registry Editor Version 5.00\n[HKLM\\SOFTWARE\\Orrin\\Old]\n");
  SetKeyList(machine.machine(), "HKLM\\SOFTWARE\\Orrin", "D:P(A;CI;KR;;;BA)(A;CI;KA;;;SY)");
  // The list reaches the keys below through inheritance.
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, old, 0, KEY_SET_VALUE, &key),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  ASSERT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, old, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(registry, key, "A", "1"), static_cast<LONG>(ERROR_ACCESS_DENIED));
  registry.RegCloseKey(key);
  EXPECT_EQ(registry.RegDeleteKeyA(HKEY_LOCAL_MACHINE, old),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  // A list that grants nothing keeps even readers out.
  SetKeyList(machine.machine(), "HKLM\\SOFTWARE\\Orrin\\Old", "D:P(A;;KA;;;SY)");
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, old, &key),
            static_cast<LONG>(ERROR_ACCESS_DENIED));

  // A deleted key's list does not outlive it.
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept", &key), ERROR_SUCCESS);
  registry.RegCloseKey(key);
  SetKeyList(machine.machine(), "HKLM\\SOFTWARE\\Kept", "D:P(A;;SD;;;BA)(A;;KR;;;BA)");
  ASSERT_EQ(registry.RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept"), ERROR_SUCCESS);
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kept", &key), ERROR_SUCCESS);
  EXPECT_EQ(SetString(registry, key, "A", "1"), ERROR_SUCCESS);
  registry.RegCloseKey(key);
}

}  // namespace
}  // namespace lyn::sim
