// The operating-system check's outcome for every code the identification
// gives; its messages on machines of each outcome are in the scenario
// os-check.t.
#include "shell/os_check.h"

#include <gtest/gtest.h>

namespace lyn {
namespace {

TEST(ClassifySystemTest, EveryCodeHasItsOutcome) {
  OperatingSystem::OSInfo info;
  for (int code = -1; code <= 15; ++code) {
    info.OSCode = code;
    const bool supported = code == 9 || code == 10 || code == 12 || code == 14;
    const CheckOutcome expected = supported   ? CheckOutcome::None
                                  : code == 7 ? CheckOutcome::Untested
                                              : CheckOutcome::Invalid;
    EXPECT_EQ(ClassifySystem(info, kFalse16), expected) << "code " << code;
    EXPECT_EQ(ClassifySystem(info, kTrue16), CheckOutcome::Untested64) << "code " << code;
  }
}

}  // namespace
}  // namespace lyn
