// The presets are there to put the setup program on each Windows edition it
// tells apart; these tests run its identification, through the emulated
// kernel32 and user32, on every one.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "fakes/machine_platform.h"
#include "sysinfo/operating_system.h"

namespace lyn::sim {
namespace {

TEST(PresetsTest, EachPresetIsTheEditionItClaims) {
  const std::map<std::string, std::pair<std::string, int>> expected = {
      {"win7-ultimate-sp1", {"Windows 7 Ultimate Edition, 32-bit", 14}},
      {"wince-5", {"Windows CE", -1}},
      {"unknown-platform", {"", 0}},
      {"win31-win32s", {"Windows 3.1", 1}},
      {"win95", {"Windows 95", 2}},
      {"win95-sp1", {"Windows 95 SP1", 2}},
      {"win95-osr2", {"Windows 95 OSR2", 2}},
      {"win98", {"Windows 98", 3}},
      {"win98-se", {"Windows 98 SE", 3}},
      {"winme", {"Windows ME", 4}},
      {"nt351", {"Windows NT 3.x", 5}},
      {"nt4-sp6", {"Windows NT 4.x", 6}},
      {"win2000-pro", {"Windows 2000 Professional", 7}},
      {"win2000-server", {"Windows 2000 Server", 8}},
      {"win2000-advanced-server", {"Windows 2000 Advanced Server", 8}},
      {"win2000-datacenter", {"Windows 2000 Datacenter Server", 8}},
      {"winxp-home", {"Windows XP Home Edition", 10}},
      {"winxp-pro", {"Windows XP Professional", 9}},
      {"winxp-media-center", {"Windows XP Media Center Edition", 9}},
      {"winxp-tablet", {"Windows XP Tablet PC Edition", 9}},
      {"winxp-starter", {"Windows XP Starter Edition", 10}},
      {"winxp-pro-x64", {"Windows XP Professional x64 Edition", 9}},
      {"win2003-standard", {"Windows Server 2003, Standard Edition", 11}},
      {"win2003-enterprise", {"Windows Server 2003, Enterprise Edition", 11}},
      {"win2003-enterprise-x64", {"Windows Server 2003, Enterprise x64 Edition", 11}},
      {"win2003-r2", {"Windows Server 2003 R2, Standard Edition", 11}},
      {"win2003-storage", {"Windows Storage Server 2003Standard Edition", 11}},
      {"vista-business", {"Windows Vista Business Edition, 32-bit", 12}},
      {"vista-home-premium-x64", {"Windows Vista Home Premium Edition, 64-bit", 12}},
      {"win2008-standard", {"Windows Server 2008 Standard Edition, 32-bit", 13}},
      {"win7-professional", {"Windows 7 , 32-bit", 14}},
      {"win7-ultimate-x64", {"Windows 7 Ultimate Edition, 64-bit", 14}},
      {"win2008r2-enterprise", {"Windows Server 2008 R2 Enterprise Edition, 64-bit", 15}},
      {"win8-x64", {", 64-bit", 0}},
  };
  ASSERT_EQ(Presets().size(), expected.size());
  for (const Preset& preset : Presets()) {
    const auto want = expected.find(preset.name);
    ASSERT_NE(want, expected.end()) << "no expectation for " << preset.name;
    fakes::MachinePlatform machine(preset.profile);
    const auto info = OperatingSystem::GetOSInfo(machine.platform());
    EXPECT_EQ(std::make_pair(info.OSName, info.OSCode), want->second) << preset.name;
  }
}

}  // namespace
}  // namespace lyn::sim
