// The machine's host-I/O interface: lookups in any case that follow changes
// to a folder, and an injected write fault surfacing as Windows' error.
#include <fcntl.h>
#include <gtest/gtest.h>

#include "fakes/machine_platform.h"
#include "platform/sim/files/host_errors.h"

namespace lyn::sim {
namespace {

using namespace win;

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

TEST(DriveFoldersTest, TheNthWriteCanBeMadeToFail) {
  fakes::MachinePlatform m;
  Kernel32& kernel32 = m.platform().kernel32;
  const HANDLE file =
      kernel32.CreateFileA("C:\\log.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  m.machine().drives().FailWrite(2);
  DWORD written = 0;
  EXPECT_EQ(kernel32.WriteFile(file, "one", 3, &written, nullptr), TRUE);
  EXPECT_EQ(kernel32.WriteFile(file, "two", 3, &written, nullptr), FALSE);
  EXPECT_EQ(kernel32.GetLastError(), ERROR_IO_DEVICE);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(kernel32.WriteFile(file, "three", 5, &written, nullptr), TRUE);
  kernel32.CloseHandle(file);
  EXPECT_EQ(m.ReadFile("C:\\log.txt"), "onethree");
}

}  // namespace
}  // namespace lyn::sim
