// End to end: the product installed by `lynsim run` and removed by
// `lynsim uninstall`, the machine compared before and after by `lynsim diff`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "platform/sim/machine/machine.h"
#include "tools/lynsim/lynsim_process.h"

namespace {

namespace fs = std::filesystem;
using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;

constexpr const char* kEntry =
    "'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LYN67'";

class Installed {
 public:
  explicit Installed(const std::string& newArgs = "") : scratch(newArgs) {}

  LynsimResult Lynsim(const std::string& args) const { return scratch.Lynsim(args); }
  // Keeps the machine as it is now in a folder of that name beside it.
  std::string Keep(const std::string& name) const {
    const std::string copy = (scratch.folder() / name).string();
    const std::string command = "cp -a '" + scratch.machine() + "' '" + copy + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error(command + " failed");
    return copy;
  }
  LynsimResult Install() const {
    return Lynsim("run " + scratch.machine() +
                  " --headless --click lblAcceptYes --click cmdOK --click cmdExit");
  }
  LynsimResult Uninstall(const std::string& answers) const {
    return Lynsim("uninstall " + scratch.machine() + " " + answers);
  }
  LynsimResult DiffFrom(const std::string& kept) const {
    return Lynsim("diff '" + kept + "' " + scratch.machine());
  }
  lyn::sim::Profile Profile() const { return lyn::sim::Machine::Open(scratch.machine()).profile(); }
  fs::path Host(const std::string& path) const {
    return lyn::sim::Machine::Open(scratch.machine()).Resolve(path).hostPath;
  }

  ScratchMachine scratch;
};

struct RoundTripCase {
  const char* name;
  const char* newArgs;
  bool grants;  // the user lacks rights on the system folder, so the run grants them
};

class UninstallRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Installed and removed, the machine differs from before only in the shared
// system and DAO files and the access-list grants; the entry is gone, and a
// new install goes into the same folder.
TEST_P(UninstallRoundTrip, LeavesOnlySharedFilesAndGrants) {
  const Installed m(GetParam().newArgs);
  const std::string before = m.Keep("before");
  ASSERT_EQ(m.Install().status, 0);
  LynsimResult result = m.Uninstall("--answer Yes --answer OK");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_NE(result.out.find("Lynwood Catalog Suite 6.7 was removed."), std::string::npos)
      << result.out;

  const lyn::sim::Profile profile = m.Profile();
  const std::string shared = profile.CommonFiles + "\\Microsoft Shared";
  result = m.DiffFrom(before);
  EXPECT_EQ(result.status, 1) << result.err;
  std::istringstream lines(result.out);
  int sharedFiles = 0;
  int usersGrants = 0;
  for (std::string line; std::getline(lines, line);) {
    usersGrants += line.starts_with("access added: ") &&
                   line.find(": allow BUILTIN\\Users 0x001F01FF 0x03") != std::string::npos;
    const bool system = line.starts_with("file added: " + profile.SystemDirectory + "\\") ||
                        line.starts_with("file changed: " + profile.SystemDirectory + "\\");
    const bool dao = line == "folder added: " + shared ||
                     line == "folder added: " + shared + "\\DAO" ||
                     line == "file added: " + shared + "\\DAO\\dao360.dll";
    sharedFiles += system || dao ? line.starts_with("file") : 0;
    EXPECT_TRUE(system || dao || line.starts_with("access ")) << line;
  }
  EXPECT_GT(sharedFiles, 0);
  EXPECT_EQ(usersGrants, GetParam().grants ? 2 : 0) << "the Windows and system folders";

  result = m.Lynsim("reg " + m.scratch.machine() + " export " + kEntry);
  EXPECT_EQ(result.status, 1) << "the uninstall entry is gone";
  ASSERT_EQ(m.Install().status, 0);
  EXPECT_TRUE(fs::exists(m.Host(profile.ProgramFiles + "\\LYN\\LYN.exe")));
  EXPECT_FALSE(fs::exists(m.Host(profile.ProgramFiles + "\\LYN01")));
}

INSTANTIATE_TEST_SUITE_P(
    Presets, UninstallRoundTrip,
    ::testing::Values(RoundTripCase{"Windows7", "--preset win7-ultimate-sp1", false},
                      RoundTripCase{"WindowsXp", "--preset winxp-pro", false},
                      RoundTripCase{
                          "Windows7WithGrants",
                          "--preset win7-ultimate-sp1 --set 'Security:C:\\Windows\\system32="
                          "owner=Administrators;allow=Administrators:0x1200A9:3;"
                          "allow=SYSTEM:0x1F01FF:3'",
                          true}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

// A file the user added keeps its folder, a program file in use stays, and
// the final message names both with the reason.
TEST(LynsimUninstallTest, LeavesAUsersFileAndAFileInUseAndSaysSo) {
  const Installed m;
  ASSERT_EQ(m.Install().status, 0);
  const std::string program = m.Profile().ProgramFiles + "\\LYN";
  std::ofstream(m.Host(program + "\\My notes.txt")) << "mine";
  lyn::sim::Machine::Open(m.scratch.machine()).SetInUse(program + "\\LYN.exe", true);

  const LynsimResult result = m.Uninstall("--answer Yes --answer OK");
  ASSERT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_NE(result.out.find(program + "\\LYN.exe (in use)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(program + " (not empty)"), std::string::npos) << result.out;
  EXPECT_TRUE(fs::exists(m.Host(program + "\\My notes.txt")));
  EXPECT_TRUE(fs::exists(m.Host(program + "\\LYN.exe")));
  EXPECT_FALSE(fs::exists(m.Host(program + "\\Maps")));
  EXPECT_FALSE(fs::exists(m.Host(program + "\\QY.chm")));
}

TEST(LynsimUninstallTest, ADamagedLogRemovesNothing) {
  const Installed m;
  ASSERT_EQ(m.Install().status, 0);
  const fs::path log = m.Host(m.Profile().WindowsDirectory + "\\UnInstallLYN.log");
  std::string text;
  {
    std::ifstream in(log, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const std::size_t word = text.find("Successful");
  ASSERT_NE(word, std::string::npos);
  text.replace(word, 10, "Succesful");
  std::ofstream(log, std::ios::binary) << text;
  const std::string damaged = m.Keep("damaged");

  const LynsimResult result = m.Uninstall("--answer OK");
  EXPECT_EQ(result.status, 0) << result.err << result.out;
  EXPECT_NE(result.out.find(" is damaged (line "), std::string::npos) << result.out;
  const LynsimResult diff = m.DiffFrom(damaged);
  EXPECT_EQ(diff.status, 0) << diff.out;
}

// Without the entry, or without the program it names, there is nothing to run.
TEST(LynsimUninstallTest, NeedsTheEntryAndItsProgram) {
  const Installed m;
  LynsimResult result = m.Uninstall("--answer Yes");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("no uninstall entry"), std::string::npos) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;

  ASSERT_EQ(m.Install().status, 0);
  fs::remove(m.Host(m.Profile().WindowsDirectory + "\\UninstallLYN67.exe"));
  result = m.Uninstall("--answer Yes");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("UninstallLYN67.exe' is not on the machine"), std::string::npos)
      << result.err;
}

}  // namespace
