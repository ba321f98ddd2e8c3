#include "integration/uninstall_entry.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/machine_platform.h"
#include "integration/registry.h"
#include "platform/sim/registry/registry_store.h"
#include "platform/sim/registry/registry_text.h"

namespace lyn {
namespace {

using fakes::MachinePlatform;
using sim::RegistryValue;

constexpr const char* kEntry =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67";

RegistryValue String(const char* name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return RegistryValue{name, win::REG_SZ, data};
}

std::vector<RegistryValue> Entry(const MachinePlatform& machine) {
  return sim::RegistryStore(machine.machine().State()).Values(kEntry);
}

// The six values, as the store lists them (by name).
std::vector<RegistryValue> Expected(const std::string& icon) {
  return {String("DisplayIcon", icon),
          String("DisplayName", "Lynwood Catalog Suite"),
          String("DisplayVersion", "6.7.0.0"),
          RegistryValue{"EstimatedSize", win::REG_DWORD, {0x10, 0x57, 0, 0}},
          String("Publisher", "Orrin Works"),
          String("UninstallString", "C:\\Windows\\UninstallLYN67.exe")};
}

// The values of a first install are the scenario first-install.t's; a value
// someone else added to the entry goes with the old entry.
TEST(UninstallEntryTest, WritesTheSixValuesAnewOnEveryRun) {
  MachinePlatform machine;
  SetupState state;
  EXPECT_TRUE(WriteUninstallEntry(machine.platform(), state, "C:\\Program Files\\LYN\\LYN.exe",
                                  "C:\\Windows\\UninstallLYN67.exe"));
  EXPECT_EQ(state.UninstallKeyPath,
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67");
  sim::RegistryStore(machine.machine().State()).SetValue(kEntry, String("Extra", "x"));
  EXPECT_TRUE(WriteUninstallEntry(machine.platform(), state, "C:\\Program Files\\LYN01\\LYN.exe",
                                  "C:\\Windows\\UninstallLYN67.exe"));
  EXPECT_EQ(Entry(machine), Expected("C:\\Program Files\\LYN01\\LYN.exe"));
}

TEST(UninstallEntryTest, AnEntryThatCannotBeDeletedKeepsItsValues) {
  MachinePlatform machine;
  sim::ImportRegistry(machine.machine(),
                      std::string("Windows Registry Editor Version 5.00\n[") + kEntry +
                          "\\Child]\n[" + kEntry +
                          "]\n\"UninstallString\"=\"old\"\n\"Publisher\"=\"Someone Else\"\n");
  SetupState state;
  EXPECT_FALSE(WriteUninstallEntry(machine.platform(), state, "C:\\LYN\\LYN.exe", "new"));
  EXPECT_EQ(GetRegValue(machine.platform(), win::HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67",
                        "UninstallString"),
            "old");
}

TEST(RegistryModuleTest, ValuesReadAsTextByType) {
  MachinePlatform machine;
  sim::ImportRegistry(
      machine.machine(),
      "Windows Registry Editor Version 5.00\n[HKLM\\SOFTWARE\\T]\n"
      "\"Sz\"=\"abc\"\n\"Cut\"=hex(1):61,00,00,00,62,00,00,00\n\"Dw\"=dword:00000005\n"
      "\"Neg\"=hex:fe,ff,01\n\"Small\"=hex:07\n");
  Platform& platform = machine.platform();
  const auto read = [&](const char* name) {
    return GetRegValue(platform, win::HKEY_LOCAL_MACHINE, "SOFTWARE\\T", name);
  };
  EXPECT_EQ(read("Sz"), "abc");
  EXPECT_EQ(read("Cut"), "a");
  EXPECT_EQ(read("Dw"), "");
  EXPECT_EQ(read("Neg"), "-2");
  EXPECT_EQ(read("Small"), "7");
  EXPECT_EQ(read("Missing"), "");
  EXPECT_EQ(GetRegValue(platform, win::HKEY_LOCAL_MACHINE, "SOFTWARE\\Nothing", "Sz"), "");

  EXPECT_TRUE(SetRegDwordLM(platform, "SOFTWARE\\T", "New", 22288));
  SetRegString(platform, win::HKEY_LOCAL_MACHINE, "SOFTWARE\\T\\Made", "S", "x");
  EXPECT_EQ(read("New"), "");
  EXPECT_EQ(GetRegValue(platform, win::HKEY_LOCAL_MACHINE, "SOFTWARE\\T\\Made", "S"), "x");
  DeleteRegKey(platform, win::HKEY_LOCAL_MACHINE, "SOFTWARE\\T", "Made");
  EXPECT_FALSE(sim::RegistryStore(machine.machine().State()).FindKey("HKLM\\SOFTWARE\\T\\Made"));
}

}  // namespace
}  // namespace lyn
