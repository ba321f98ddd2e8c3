// What a machine keeps of its state store between lookups.
#include "platform/sim/machine/machine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "platform/sim/machine/host_view.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

// A mark read once is kept, but gives way to another process's change and to
// the reader's own change in a transaction not yet committed (and comes back
// when that transaction is rolled back).
TEST(MachineMarksTest, AKeptMarkGivesWayToChangesCommittedOrNot) {
  using namespace win;
  testing::ScratchFolder folder;
  Machine machine = Machine::Create(folder.path(), FindPreset("winxp-pro-x64").profile);
  const char* file = "C:\\WINDOWS\\system32\\COMCTL32.OCX";
  std::ofstream(HostPathOf(machine, file)) << "x";
  machine.SetAttributes(file, FILE_ATTRIBUTE_READONLY);
  const Machine other = Machine::Open(folder.path());
  EXPECT_EQ(other.Attributes(file), FILE_ATTRIBUTE_READONLY);

  machine.SetAttributes(file, FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(other.Attributes(file), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_THROW(other.State().Write([&](const Transaction&) {
    other.SetAttributes(file, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(other.Attributes(file), FILE_ATTRIBUTE_HIDDEN);
    throw std::runtime_error("rolled back");
  }),
               std::runtime_error);
  EXPECT_EQ(other.Attributes(file), FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace
}  // namespace lyn::sim
