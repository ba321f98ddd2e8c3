// The machine's host-I/O interface: lookups in any case that follow changes
// to a folder made on the host.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <thread>

#include "fakes/machine_platform.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;

// A folder C:\Big of 300 one-byte files on the machine; its host path.
fs::path MakeBigFolder(const testing::ScratchFolder& machine) {
  const fs::path big = machine.path() / "drives" / "C" / "Big";
  fs::create_directories(big);
  for (int i = 0; i < 300; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%03d.dat", i);
    std::ofstream(big / name) << "x";
  }
  return big;
}

// A large folder's index is kept in a file for the machine's other
// processes, and neither copy outlives a change made on the host.
TEST(DriveFoldersTest, AKeptIndexGivesWayToAChangeOnTheHost) {
  testing::ScratchFolder machine;
  const fs::path big = MakeBigFolder(machine);
  // Until the host's clock has passed the folder's time, its index is not kept.
  struct stat folder {};
  ASSERT_EQ(::stat(big.c_str(), &folder), 0);
  for (std::timespec now{}; !TimeSettled(folder.st_ctim, now);) {
    std::this_thread::yield();
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  }
  const DriveFolders first(machine.path() / "drives", machine.path() / "names");
  EXPECT_EQ(first.Find("C/Big", "FILE007.DAT")->name, "file007.dat");
  EXPECT_FALSE(fs::is_empty(machine.path() / "names"));

  std::ofstream(big / "Extra.TXT") << "x";
  const DriveFolders second(machine.path() / "drives", machine.path() / "names");
  for (const DriveFolders* drives : {&second, &first}) {
    ASSERT_TRUE(drives->Find("C/Big", "extra.txt"));
    EXPECT_EQ(drives->Find("C/Big", "extra.txt")->name, "Extra.TXT");
    EXPECT_EQ(drives->Find("C/Big", "FILE299.DAT")->name, "file299.dat");
  }
  fs::remove(big / "file007.dat");
  EXPECT_FALSE(second.Find("C/Big", "FILE007.DAT"));
}

// A large folder listed again is answered from the listing kept of it, which
// still shows a file the host grew since: that leaves the folder's own time
// as it was.
TEST(DriveFoldersTest, AKeptListingShowsAFileTheHostGrew) {
  testing::ScratchFolder machine;
  const fs::path big = MakeBigFolder(machine);
  const DriveFolders drives(machine.path() / "drives", machine.path() / "names");
  std::vector<HostEntry> entries;
  for (int listing = 0; listing < 3; ++listing) {
    entries.clear();
    ASSERT_EQ(drives.List("C/Big", entries), 0);
  }
  std::ofstream(big / "file001.dat", std::ios::app) << "more";
  entries.clear();
  ASSERT_EQ(drives.List("C/Big", entries), 0);
  EXPECT_EQ(entries.size(), 300u);
  for (const HostEntry& entry : entries) {
    if (entry.name == "file001.dat") {
      EXPECT_EQ(entry.status.size, 5u);
    }
  }
}

}  // namespace
}  // namespace lyn::sim
