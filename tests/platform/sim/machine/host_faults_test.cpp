// Host faults as the emulated libraries and the state store see them: a full
// disk or a failing device at one numbered call, and a process killed there.
#include "platform/sim/machine/host_faults.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#include "fakes/machine_platform.h"
#include "platform/sim/files/host_errors.h"
#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/machine/state_store.h"

namespace lyn::sim {
namespace {

using namespace win;

TEST(HostFaultsTest, PlansAreReadAsTheEnvironmentGivesThem) {
  // FaultWalk reads every kind and a count file through lynsim in each run.
  EXPECT_EQ(ParseFaultPlan("kill@12")->at, 12u);
  for (const char* wrong :
       {"", "kill", "kill@", "kill@0", "kill@3x", "eio@-1", "full@3", "count:"}) {
    EXPECT_FALSE(ParseFaultPlan(wrong)) << wrong;
  }
}

// A device error fails one write; a full disk fails that write and every
// later one until the plan goes. Each reaches the program as the error
// Windows gives.
TEST(HostFaultsTest, AFileWriteFailsAsWindowsFailsIt) {
  struct Case {
    FaultKind kind;
    DWORD error;
    BOOL third;  // the write after the failed one
  };
  for (const Case& c : {Case{FaultKind::IoError, ERROR_IO_DEVICE, TRUE},
                        Case{FaultKind::NoSpace, ERROR_DISK_FULL, FALSE}}) {
    fakes::MachinePlatform m;
    Kernel32& kernel32 = m.platform().kernel32;
    const HANDLE file =
        kernel32.CreateFileA("C:\\log.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const ArmedHostFaults fault({c.kind, 2, HostCall::Write});
    DWORD written = 0;
    EXPECT_EQ(kernel32.WriteFile(file, "one", 3, &written, nullptr), TRUE);
    EXPECT_EQ(kernel32.WriteFile(file, "two", 3, &written, nullptr), FALSE);
    EXPECT_EQ(kernel32.GetLastError(), c.error);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(kernel32.WriteFile(file, "six", 3, &written, nullptr), c.third);
    kernel32.CloseHandle(file);
    EXPECT_EQ(m.ReadFile("C:\\log.txt"), c.third ? "onesix" : "one");
  }
}

// The state store's writes pass the same plan: a transaction that cannot be
// written fails naming the cause, and leaves the store whole.
TEST(HostFaultsTest, AStoreWriteThatFailsNamesTheCauseAndLeavesTheStoreWhole) {
  for (const auto& [kind, cause] : {std::pair{FaultKind::NoSpace, "the disk is full"},
                                    std::pair{FaultKind::IoError, "cannot be written"}}) {
    const testing::ScratchFolder folder;
    std::filesystem::create_directories(folder.path());
    StateStore::Create(folder.path());
    {
      // Opened while faults are armed, the store's calls count; the fault
      // is armed anew for the transaction's first call.
      const ArmedHostFaults counting{FaultPlan()};
      const auto store = StateStore::Open(folder.path());
      ArmHostFaults(FaultPlan(kind, 1));
      try {
        store->Write([](const Transaction& t) {
          t.Prepare("INSERT INTO file_attributes VALUES ('c:\\a', 1)").Run();
        });
        ADD_FAILURE() << "the write went through";
      } catch (const StateError& e) {
        EXPECT_NE(std::string(e.what()).find(cause), std::string::npos) << e.what();
      }
    }
    const bool empty = StateStore::Open(folder.path())->Read([](const Transaction& t) {
      return !t.Prepare("SELECT * FROM file_attributes").Step();
    });
    EXPECT_TRUE(empty);
  }
}

// A process killed at a call leaves what the calls before it wrote; a
// counting plan's count outlives a process that ends without clean-up.
TEST(HostFaultsTest, AKilledProcessLeavesWhatItWroteAndACountOutlivesTheProcess) {
  const testing::ScratchFolder folder;
  std::filesystem::create_directories(folder.path());
  const std::string count = (folder.path() / "count").string();
  FaultPlan counting(FaultKind::None, 0, HostCall::Create);
  counting.countFile = count;
  for (const FaultPlan& plan : {FaultPlan(FaultKind::Kill, 3, HostCall::Create), counting}) {
    fakes::MachinePlatform m;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ArmHostFaults(plan);
      for (const char* name : {"C:\\a", "C:\\b", "C:\\c", "C:\\d"}) m.ProgramPutFile(name, name);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (plan.kind == FaultKind::Kill) {
      ASSERT_TRUE(WIFSIGNALED(status));
      EXPECT_EQ(WTERMSIG(status), SIGKILL);
      EXPECT_EQ(m.ReadFile("C:\\b"), "C:\\b");
      EXPECT_FALSE(m.Exists("C:\\c"));
    } else {
      std::uint64_t calls = 0;
      std::ifstream(count, std::ios::binary).read(reinterpret_cast<char*>(&calls), sizeof calls);
      EXPECT_EQ(calls, 4u);
    }
  }
}

}  // namespace
}  // namespace lyn::sim
