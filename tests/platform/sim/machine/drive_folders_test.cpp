// The machine's host-I/O interface: lookups in any case that follow changes
// to a folder.
#include <fcntl.h>
#include <gtest/gtest.h>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

TEST(DriveFoldersTest, CaseFoldedLookupsSeeEntriesMadeAndRemovedSinceTheLastOne) {
  fakes::MachinePlatform m;
  const DriveFolders& drives = m.machine().drives();
  EXPECT_FALSE(drives.Find("C", "readme.TXT"));
  UniqueFd file;
  ASSERT_EQ(drives.Open("C/ReadMe.txt", O_WRONLY | O_CREAT, file), 0);
  ASSERT_TRUE(drives.Find("C", "readme.TXT"));
  EXPECT_EQ(drives.Find("C", "readme.TXT")->name, "ReadMe.txt");
  ASSERT_EQ(drives.Remove("C/ReadMe.txt"), 0);
  EXPECT_FALSE(drives.Find("C", "README.TXT"));
}

}  // namespace
}  // namespace lyn::sim
