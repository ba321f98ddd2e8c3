#include "sysinfo/operating_system.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fakes/fake_platform.h"

namespace lyn {
namespace {

using fakes::FakePlatform;
using OperatingSystem::GetOSInfo;
using OperatingSystem::Is64BitOS;

struct Machine {
  win::DWORD platformId;
  win::DWORD major;
  win::DWORD minor;
  win::DWORD build;
  win::BYTE productType = win::VER_NT_WORKSTATION;
  win::WORD suiteMask = 0;
  win::WORD processor = win::PROCESSOR_ARCHITECTURE_INTEL;
  win::DWORD productInfo = 0;
  std::map<int, int> metrics = {};
  const char* servicePack = "";
};

struct Expected {
  const char* name;
  int code;
  Boolean16 is64;
};

void Configure(FakePlatform& fake, const Machine& m) {
  fake.kernel32.version.dwPlatformId = m.platformId;
  fake.kernel32.version.dwMajorVersion = m.major;
  fake.kernel32.version.dwMinorVersion = m.minor;
  fake.kernel32.version.dwBuildNumber = m.build;
  fake.kernel32.version.wProductType = m.productType;
  fake.kernel32.version.wSuiteMask = m.suiteMask;
  std::strcpy(fake.kernel32.version.szCSDVersion, m.servicePack);
  // A 64-bit processor is seen natively only under WOW64.
  fake.kernel32.wow64 = m.processor != win::PROCESSOR_ARCHITECTURE_INTEL;
  fake.kernel32.nativeArchitecture = m.processor;
  fake.kernel32.processArchitecture = win::PROCESSOR_ARCHITECTURE_INTEL;
  fake.kernel32.productType = m.productInfo;
  fake.user32.metrics = m.metrics;
}

constexpr win::WORD kX64 = win::PROCESSOR_ARCHITECTURE_AMD64;
constexpr win::WORD kIa64 = win::PROCESSOR_ARCHITECTURE_IA64;
constexpr win::BYTE kServer = win::VER_NT_SERVER;

// The editions of the machine presets are identified by the presets' own
// test; these rows are the decisions no preset reaches.
TEST(GetOSInfoTest, NamesTheEditionsNoPresetStandsFor) {
  const std::vector<std::pair<Machine, Expected>> table = {
      {{1, 4, 0, 949}, {"", 2, kFalse16}},
      {{1, 4, 10, 2182}, {"Windows 98 SP1", 3, kFalse16}},
      {{1, 4, 10, 1997}, {"", 3, kFalse16}},
      {{1, 4, 50, 3000}, {"", 0, kFalse16}},
      {{2, 5, 1, 2600, 1, 0x200, 0, 0, {{87, 1}, {88, 1}}},
       {"Windows XP Media Center Edition", 9, kFalse16}},
      {{2, 5, 1, 2600, 1, 0x200, 0, 0, {{88, 1}, {86, 1}}},
       {"Windows XP Starter Edition", 10, kFalse16}},
      {{2, 5, 2, 3790, 1, 0, kX64}, {"Windows XP Professional x64 Edition", 9, kTrue16}},
      {{2, 5, 2, 3790, kServer, 0x2002}, {"Windows Server 2003, Enterprise Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0x80, 0, 0, {{89, 1}}},
       {"Windows Server 2003 R2, Datacenter Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0x4000},
       {"Windows Server 2003, Compute Cluster Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0x400}, {"Windows Server 2003, Web Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0x80, kX64},
       {"Windows Server 2003, Datacenter x64 Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0, kX64},
       {"Windows Server 2003, Standard x64 Edition", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0x02, kIa64},
       {"Windows Server 2003, Enterprise Edition for Itanium-based Systems", 11, kFalse16}},
      {{2, 5, 2, 3790, kServer, 0, kIa64}, {"Windows Server 2003, ", 11, kFalse16}},
      {{2, 5, 3, 3790}, {"", 0, kFalse16}},
      {{2, 6, 0, 6002, kServer, 0, kX64, 8},
       {"Windows Server 2008 Datacenter Edition, 64-bit", 13, kTrue16}},
      {{2, 6, 1, 7600, kServer, 0, kX64, 25},
       {"Windows Server 2008 R2 Small Business Server Premium Edition, 64-bit", 15, kTrue16}},
      {{2, 6, 1, 7600, 1, 0, kIa64, 15},
       {"Windows 7 Enterprise Edition for Itanium-based Systems", 14, kFalse16}},
      {{2, 7, 0, 1}, {"", 0, kFalse16}},
      {{4, 1, 0, 1}, {"", 0, kFalse16}},
  };
  for (const auto& [machine, expected] : table) {
    FakePlatform fake;
    Configure(fake, machine);
    ResetModuleState();
    const OperatingSystem::OSInfo info = GetOSInfo(fake.platform);
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(info.OSName, expected.name);
    EXPECT_EQ(info.OSCode, expected.code);
    EXPECT_EQ(Is64BitOS, expected.is64);
  }
}

TEST(GetOSInfoTest, SixtyFourBitFlagIsClearedOnlyByVersionSixOnX86) {
  FakePlatform fake;
  Configure(fake, {2, 5, 1, 2600});
  Is64BitOS = kTrue16;
  GetOSInfo(fake.platform);
  EXPECT_EQ(Is64BitOS, kTrue16) << "Windows XP leaves the flag as it was";
  Configure(fake, {2, 6, 1, 7601, 1, 0, win::PROCESSOR_ARCHITECTURE_INTEL, 1});
  GetOSInfo(fake.platform);
  EXPECT_EQ(Is64BitOS, kFalse16);
}

// The descriptions of known systems are checked with the operating-system
// check's messages.
TEST(GetOSInfoTest, DescriptionOfAnUnknownSystemAndAServicePackWithoutNul) {
  FakePlatform fake;
  Configure(fake, {2, 9, 0, 12345});
  EXPECT_EQ(GetOSInfo(fake.platform).OSDescription, " (Build 12345)");
  Configure(fake, {2, 5, 1, 2600});
  std::memset(fake.kernel32.version.szCSDVersion, 'S', 128);
  EXPECT_EQ(GetOSInfo(fake.platform).ServicePack, std::string(128, 'S'));
}

TEST(GetOSInfoTest, FailingQueriesRaiseErrorMinusOne) {
  struct Failure {
    Machine machine;
    bool version, extended, wow64;
  };
  const std::vector<Failure> failures = {
      {{2, 5, 1, 2600}, true, false, false},  // the first version query
      {{2, 5, 1, 2600}, false, true, false},  // the extended query of version 5
      {{2, 6, 1, 7601}, false, true, false},  // the extended query of version 6
      {{2, 5, 2, 3790}, false, false, true},  // the WOW64 query of version 5.2
      {{2, 6, 1, 7601}, false, false, true},  // the WOW64 query of version 6
  };
  for (const Failure& failure : failures) {
    FakePlatform fake;
    Configure(fake, failure.machine);
    fake.kernel32.failVersionQuery = failure.version;
    fake.kernel32.failExtendedQuery = failure.extended;
    fake.kernel32.failWow64Query = failure.wow64;
    EXPECT_THROW(GetOSInfo(fake.platform), OperatingSystem::OSInfoError);
  }
  // Windows XP never asks about WOW64, so its failure does not matter there.
  FakePlatform fake;
  Configure(fake, {2, 5, 1, 2600});
  fake.kernel32.failWow64Query = true;
  EXPECT_EQ(GetOSInfo(fake.platform).OSCode, 9);
}

}  // namespace
}  // namespace lyn
