#include "integration/mod_register.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/machine_platform.h"

namespace lyn {
namespace {

using fakes::MachinePlatform;

constexpr const char* kControl = "C:\\Windows\\system32\\catalog.ocx";

struct Record {
  std::string file;
  std::string entryPoint;
  std::int64_t result;
  friend bool operator==(const Record&, const Record&) = default;
};

std::vector<Record> Records(const MachinePlatform& machine) {
  return machine.machine().State().Read([](const sim::Transaction& t) {
    auto rows = t.Prepare("SELECT file, entry_point, result FROM self_registrations ORDER BY id");
    std::vector<Record> records;
    while (rows.Step()) records.push_back({rows.Text(0), rows.Text(1), rows.Int(2)});
    return records;
  });
}

sim::Profile Behaving(const char* behaviour) {
  sim::Profile profile;
  sim::SetField(profile, "SelfRegistration.CATALOG.OCX", behaviour);
  return profile;
}

TEST(SelfRegistrationTest, ALibraryWithTheExportIsRegisteredAndRecorded) {
  MachinePlatform machine;
  machine.PutFile(kControl, fakes::TestImage("catalog_engine_i686.dll"));
  EXPECT_TRUE(IsDLLActiveX(machine.platform(), kControl, true));
  EXPECT_TRUE(RegisterFile(machine.platform(), kControl, true));
  EXPECT_TRUE(RegisterFile(machine.platform(), kControl, false));
  EXPECT_EQ(Records(machine), (std::vector<Record>{{kControl, "DllRegisterServer", 0},
                                                   {kControl, "DllUnregisterServer", 0}}));
}

TEST(SelfRegistrationTest, WhatIsNotASelfRegisteringLibraryIsNotRegistered) {
  MachinePlatform machine;
  machine.PutFile("C:\\Windows\\system32\\plain.dll", fakes::TestImage("plain_library_i686.dll"));
  machine.PutFile("C:\\Windows\\system32\\text.dll", "not a library");
  machine.PutFile("C:\\Windows\\system32\\wide.dll", fakes::TestImage("catalog_engine_x86_64.dll"));
  const std::pair<const char*, long> cases[] = {{"C:\\Windows\\system32\\plain.dll", 0},
                                                {"C:\\Windows\\system32\\text.dll", 10193},
                                                {"C:\\Windows\\system32\\wide.dll", 10193},
                                                {"C:\\Windows\\system32\\none.dll", 10126}};
  for (const auto& [path, number] : cases) {
    EXPECT_FALSE(RegisterFile(machine.platform(), path, true)) << path;
    EXPECT_FALSE(IsDLLActiveX(machine.platform(), path, false)) << path;
    if (number == 0) continue;
    try {
      IsDLLActiveX(machine.platform(), path, true);
      ADD_FAILURE() << path;
    } catch (const LoadLibraryError& e) {
      EXPECT_EQ(e.number, number);
      EXPECT_EQ(e.source, "IsDLLActiveX");
      EXPECT_EQ(e.description, "LoadLibrary-Error: " + std::to_string(number - 10000));
    }
  }
  EXPECT_TRUE(Records(machine).empty());
}

TEST(SelfRegistrationTest, AnEntryPointAnsweringAFailureCodeStillCountsAsRegistered) {
  MachinePlatform machine(Behaving("0x80004005"));
  machine.PutFile(kControl, fakes::TestImage("catalog_engine_i686.dll"));
  EXPECT_TRUE(RegisterFile(machine.platform(), kControl, true));
  EXPECT_EQ(Records(machine), (std::vector<Record>{{kControl, "DllRegisterServer", -2147467259}}));
}

// Takes the full ten seconds of the limit.
TEST(SelfRegistrationTest, ARegistrationTakingElevenSecondsIsGivenUpAfterTen) {
  MachinePlatform machine(Behaving("delay=11000"));
  machine.PutFile(kControl, fakes::TestImage("catalog_engine_i686.dll"));
  const std::string other = "C:\\Windows\\system32\\other.dll";
  machine.PutFile(other, fakes::TestImage("catalog_engine_i686.dll"));
  EXPECT_FALSE(RegisterFile(machine.platform(), kControl, true));
  // The worker was ended before its result: nothing is recorded, and the
  // next library registers as usual.
  EXPECT_TRUE(RegisterFile(machine.platform(), other, true));
  EXPECT_EQ(Records(machine), (std::vector<Record>{{other, "DllRegisterServer", 0}}));
}

}  // namespace
}  // namespace lyn
