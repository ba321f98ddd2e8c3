// The lynsim commands that make, change and inspect machines, run as a user
// would.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
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
  const auto fields = nlohmann::json::parse(result.out);
  for (const auto& f : fields["fields"]) {
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

// Changes made at the same time all survive, and a person's comments in the
// profile file stay where they were written.
TEST(LynsimMachineCommandsTest, SetsAtTheSameTimeLoseNothingAndKeepComments) {
  const ScratchMachine scratch;
  const std::filesystem::path file = std::filesystem::path(scratch.machine()) / "profile.ini";
  std::stringstream before;
  before << std::ifstream(file).rdbuf();
  const std::string text = before.str();
  const std::string comment = "# lab machine 7, do not reset\n";
  std::ofstream(file) << comment << text;
  // Eight sets at once, each of another field.
  const std::pair<const char*, unsigned> settings[] = {
      {"dwBuildNumber", 7777}, {"wServicePackMajor", 7}, {"wServicePackMinor", 3},
      {"wSuiteMask", 0x110},   {"GetProductInfo", 6},    {"SM_CXSCREEN", 1280},
      {"SM_CYSCREEN", 1024},   {"wProductType", 3}};
  std::string sets;
  for (const auto& [field, value] : settings) {
    sets += std::string(LYNSIM_PATH) + " set " + scratch.machine() + " " + field + "=" +
            std::to_string(value) + " >/dev/null & ";
  }
  ASSERT_EQ(std::system((sets + "wait").c_str()), 0);
  std::stringstream read;
  read << std::ifstream(file).rdbuf();
  const std::string after = read.str();
  EXPECT_TRUE(after.starts_with(comment)) << after;
  EXPECT_EQ(std::count(after.begin(), after.end(), '\n'),
            std::count(text.begin(), text.end(), '\n') + 1);
  const sim::Profile p = sim::Machine::Open(scratch.machine()).profile();
  const unsigned found[] = {p.dwBuildNumber,
                            p.wServicePackMajor,
                            p.wServicePackMinor,
                            p.wSuiteMask,
                            p.GetProductInfo,
                            static_cast<unsigned>(p.SM_CXSCREEN),
                            static_cast<unsigned>(p.SM_CYSCREEN),
                            p.wProductType};
  for (std::size_t i = 0; i < std::size(settings); ++i) {
    EXPECT_EQ(found[i], settings[i].second) << settings[i].first;
  }
}

// acl shows the owner and list `new` set, and the defaults of what it did
// not: as the access-list tool lists them, and as SDDL, which reads back
// into the same list.
TEST(LynsimMachineCommandsTest, AclShowsWhatNewSetAndTheDefaults) {
  const std::string sddl = "O:S-1-5-21-7-1234G:SYD:P(A;OICI;0x1200a9;;;BU)(D;;WD;;;WD)";
  const ScratchMachine scratch(
      "--set IsAdmin=false --set UsersGroupName=Benutzer "
      "--set 'Security:C:\\Windows=" +
      sddl + "'");
  const LynsimResult folder = scratch.Lynsim("acl " + scratch.machine() + " 'c:/windows'");
  EXPECT_EQ(folder.status, 0) << folder.err;
  EXPECT_EQ(folder.out,
            "C:\\Windows BUILTIN\\Benutzer:(OI)(CI)(RX)\n"
            "           Everyone:(DENY)(WDAC)\n");
  EXPECT_EQ(scratch.Lynsim("acl " + scratch.machine() + " 'c:\\windows' --sddl").out, sddl + "\n");
  // A key below SOFTWARE takes Windows 7's list of SOFTWARE, CREATOR OWNER
  // standing for the owner.
  EXPECT_EQ(scratch.Lynsim("acl " + scratch.machine() + " 'HKLM\\Software\\Orrin'").out,
            "HKEY_LOCAL_MACHINE\\Software\\Orrin BUILTIN\\Administrators:(I)(F)\n"
            "                                  CREATOR OWNER:(I)(CI)(IO)(F)\n"
            "                                  NT AUTHORITY\\SYSTEM:(I)(CI)(F)\n"
            "                                  BUILTIN\\Administrators:(I)(CI)(F)\n"
            "                                  BUILTIN\\Benutzer:(I)(CI)(R)\n");
}

// The registry editor's files through the command line: a REGEDIT4 file
// read from standard input, the key written back as a version 5 file
// (UTF-16LE) and, on request, as REGEDIT4; a file that would delete a root
// key is refused whole.
TEST(LynsimMachineCommandsTest, RegReadsStandardInputAndWritesEitherKindOfFile) {
  const ScratchMachine scratch;
  const std::string reg = "reg " + scratch.machine();
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Orrin\\LYN67";
  const std::string file = "REGEDIT4\r\n\r\n[" + key + "]\r\n\"Publisher\"=\"Orrin Works\"\r\n\r\n";
  std::ofstream(scratch.folder() / "in.reg") << file;
  std::ofstream(scratch.folder() / "root.reg") << "REGEDIT4\r\n[" + key + "]\r\n[-HKLM]\r\n";
  const LynsimResult imported =
      scratch.Lynsim(reg + " import - < " + (scratch.folder() / "in.reg").string());
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(scratch.Lynsim(reg + " export '" + key + "' --regedit4").out, file);
  EXPECT_TRUE(scratch.Lynsim(reg + " export '" + key + "'")
                  .out.starts_with(std::string("\xFF\xFEW\0i\0n\0", 8)));

  const LynsimResult root =
      scratch.Lynsim(reg + " import " + (scratch.folder() / "root.reg").string());
  EXPECT_EQ(root.status, 1);
  EXPECT_NE(root.err.find("line 3: a root key cannot be deleted"), std::string::npos) << root.err;
  EXPECT_EQ(scratch.Lynsim(reg + " export 'HKLM\\SOFTWARE\\Orrin' --regedit4").status, 0);
}

TEST(LynsimMachineCommandsTest, LsListsFilesWithAttributesAndTimesAndCatPrintsOne) {
  const ScratchMachine scratch;
  const sim::Machine machine = sim::Machine::Open(scratch.machine());
  const auto file = lyn::sim::HostPathOf(machine, "C:\\Windows\\lyn.ini");
  std::ofstream(file) << "12345";
  machine.SetAttributes("C:\\Windows\\LYN.INI",
                        win::FILE_ATTRIBUTE_READONLY | win::FILE_ATTRIBUTE_HIDDEN);
  // 2009-07-14 01:14 UTC, when Windows 7 was finished.
  const auto finished = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
      std::chrono::sys_days(std::chrono::year(2009) / 7 / 14) + std::chrono::minutes(74)));
  std::filesystem::last_write_time(file, finished);
  std::filesystem::last_write_time(file.parent_path() / "system32", finished);
  const LynsimResult text = scratch.Lynsim("ls " + scratch.machine() + " 'c:\\windows'");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "-RH--  2009-07-14 01:14            5  lyn.ini\n"
            "D----  2009-07-14 01:14               system32\\\n");
  EXPECT_EQ(scratch.Lynsim("ls " + scratch.machine() + " 'C:/Windows/*.INI'").out,
            "-RH--  2009-07-14 01:14            5  lyn.ini\n");

  // cat converts from the machine's code page (1252 here) and ends lines
  // with LF alone; --raw leaves the bytes.
  std::ofstream(file, std::ios::binary) << "[Caf\xE9]\r\nx=1\r\n";
  EXPECT_EQ(scratch.Lynsim("cat " + scratch.machine() + " 'c:/windows/lyn.ini'").out,
            "[Caf\xC3\xA9]\nx=1\n");
  EXPECT_EQ(scratch.Lynsim("cat " + scratch.machine() + " 'c:/windows/lyn.ini' --raw").out,
            "[Caf\xE9]\r\nx=1\r\n");
}

}  // namespace
}  // namespace lyn::lynsim
