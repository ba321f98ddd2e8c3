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
  const char* servicePack = "";
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
}

// The editions' names, codes and 64-bit flags are the scenario editions.t.
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

TEST(GetOSInfoTest, AServicePackWithoutNulIsReadToTheRecordsEnd) {
  FakePlatform fake;
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
