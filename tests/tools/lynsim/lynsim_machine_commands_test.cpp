// The lynsim commands that make, change and inspect machines, run as a user
// would.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace lyn::lynsim {
namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

TEST(LynsimMachineCommandsTest, PresetsListsOnePresetALineDefaultFirst) {
  const LynsimResult result = ScratchMachine().Lynsim("presets");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind(sim::DefaultPresetName() + " ", 0), 0u) << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), std::ssize(sim::Presets()));
}

// Every field the profile file holds, bar the drives (listed once by
// pattern), with the default preset's value and its documentation.
TEST(LynsimMachineCommandsTest, FieldsListsEveryFieldOfTheProfileFileWithItsDefault) {
  const LynsimResult result = ScratchMachine().Lynsim("fields --json");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string text = sim::ProfileToText(sim::FindPreset(sim::DefaultPresetName()).profile);
  std::set<std::string> listed;
  for (const auto& f : nlohmann::json::parse(result.out)) {
    const std::string name = f["name"].get<std::string>();
    listed.insert(name);
    for (const char* part : {"group", "meaning", "range"}) {
      EXPECT_FALSE(f[part].get<std::string>().empty()) << f;
    }
    if (name.starts_with("Drive.")) continue;
    const std::string value = f["default"].get<std::string>();
    EXPECT_NE(text.find("\n" + name + " =" + (value.empty() ? "" : " " + value) + "\n"),
              std::string::npos)
        << name;
  }
  EXPECT_EQ(listed.count("wSuiteMask"), 1u);
  EXPECT_EQ(listed.count("Drive.<letter>.SerialNumber"), 1u);
}

TEST(LynsimMachineCommandsTest, NewMakesTheMachineAndPathShowsWhereFilesLie) {
  const ScratchMachine scratch(
      "--preset win7-ultimate-x64 --set Drive.D=CDFS --set 'CurrentDirectory=D:\\'");
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  EXPECT_TRUE(machine.profile().Wow64);
  EXPECT_EQ(machine.profile().CurrentDirectory, "D:\\");

  const std::filesystem::path drives = std::filesystem::path(scratch.machine()) / "drives";
  const LynsimResult system =
      scratch.Lynsim("path " + scratch.machine() + " 'c:\\windows\\system32\\Lyn.dll'");
  EXPECT_EQ(system.status, 0);
  EXPECT_EQ(system.out, (drives / "C" / "Windows" / "SysWOW64" / "Lyn.dll").string() + "\n");
  const LynsimResult relative = scratch.Lynsim("path " + scratch.machine() + " LYN.CAB");
  EXPECT_EQ(relative.out, (drives / "D" / "LYN.CAB").string() + "\n");
}

TEST(LynsimMachineCommandsTest, SetChangesAMachineOrNothing) {
  const ScratchMachine scratch;
  const std::string dir = scratch.machine();
  LynsimResult result =
      scratch.Lynsim("set " + dir + " wProcessorArchitecture=9 Wow64=true Drive.D=CDFS");
  EXPECT_EQ(result.status, 0) << result.err;
  const sim::Machine machine = sim::Machine::Open(dir);
  EXPECT_TRUE(machine.profile().Wow64);
  EXPECT_TRUE(machine.Resolve("C:\\Windows\\system32").exists) << "SysWOW64 is made";
  EXPECT_TRUE(machine.Resolve("D:\\").exists);

  // A bad field refuses the whole command line.
  result = scratch.Lynsim("set " + dir + " dwMajorVersion=5 wProductType=256");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("expected a number from 0 to 255"), std::string::npos) << result.err;
  EXPECT_EQ(sim::Machine::Open(dir).profile().dwMajorVersion, 6u) << "nothing changed";
}

// acl shows the owner and list `new` set, and the defaults of what it did not.
TEST(LynsimMachineCommandsTest, AclShowsWhatNewSetAndTheDefaults) {
  const ScratchMachine scratch(
      "--set IsAdmin=false --set UsersGroupName=Benutzer "
      "--set 'Security:C:\\Windows=owner=S-1-5-21-7-1234;allow=Benutzer:0x1200A9:3;"
      "deny=Everyone:0x40000'");
  const LynsimResult folder = scratch.Lynsim("acl " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(folder.status, 0) << folder.err;
  EXPECT_EQ(folder.out,
            "C:\\Windows\nowner S-1-5-21-7-1234\ngroup NT AUTHORITY\\SYSTEM\n"
            "allow BUILTIN\\Benutzer 0x001200A9 0x03\ndeny Everyone 0x00040000 0x00\n");
  // A key below SOFTWARE takes Windows 7's list of SOFTWARE, CREATOR OWNER
  // standing for the owner.
  EXPECT_EQ(scratch.Lynsim("acl " + scratch.machine() + " 'HKLM\\Software\\Orrin'").out,
            "HKEY_LOCAL_MACHINE\\Software\\Orrin\nowner BUILTIN\\Administrators\n"
            "group NT AUTHORITY\\SYSTEM\nallow BUILTIN\\Administrators 0x000F003F 0x10\n"
            "allow CREATOR OWNER 0x000F003F 0x1A\n"
            "allow NT AUTHORITY\\SYSTEM 0x000F003F 0x12\n"
            "allow BUILTIN\\Administrators 0x000F003F 0x12\n"
            "allow BUILTIN\\Benutzer 0x00020019 0x12\n");
}

TEST(LynsimMachineCommandsTest, RegImportsAFileAndExportsAKeyInTheSameFormat) {
  const ScratchMachine scratch;
  const auto file = scratch.folder() / "prepare.reg";
  const std::string reg = "reg " + scratch.machine();
  std::ofstream(file) << "Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                         "Uninstall\\LYN67]\n\"Publisher\"=\"Orrin Works\"\n";
  EXPECT_EQ(scratch.Lynsim(reg + " import " + file.string()).status, 0);
  const LynsimResult exported = scratch.Lynsim(
      reg + " export 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall'");
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out,
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67]\n"
            "\"Publisher\"=\"Orrin Works\"\n\n");
}

TEST(LynsimMachineCommandsTest, LsListsFilesWithTheirAttributes) {
  const ScratchMachine scratch;
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  std::ofstream(lyn::sim::HostPathOf(machine, "C:\\Windows\\lyn.ini")) << "12345";
  machine.SetAttributes("C:\\Windows\\LYN.INI",
                        win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN);
  const LynsimResult text = scratch.Lynsim("ls " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "-RH--            5  lyn.ini\nD----               system32\\\n");

  const auto listing = nlohmann::json::parse(
      scratch.Lynsim("ls " + scratch.machine() + " 'C:\\Windows\\lyn.ini' --json").out);
  EXPECT_EQ(listing["path"], "C:\\Windows\\lyn.ini");
  ASSERT_EQ(listing["entries"].size(), 1u);
  EXPECT_EQ(listing["entries"][0]["attributes"], 3);
  EXPECT_EQ(listing["entries"][0]["size"], 5);
}

}  // namespace
}  // namespace lyn::lynsim
