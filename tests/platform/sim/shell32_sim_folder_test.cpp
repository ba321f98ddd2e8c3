// The special folders of the emulated shell32.
#include <gtest/gtest.h>

#include <cstring>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;

std::string FolderPath(fakes::MachinePlatform& m, int csidl, HRESULT expected = S_OK) {
  char path[MAX_PATH];
  std::memset(path, '#', sizeof path);
  EXPECT_EQ(m.platform().shell32.SHGetFolderPathA(0, csidl, 0, 0, path), expected) << csidl;
  return expected == S_OK ? std::string(path) : std::string(path, 4);
}

TEST(SimShell32FolderTest, GivesTheProfilesFoldersAsTheThirtyTwoBitProgramSeesThem) {
  fakes::MachinePlatform m(FindPreset("winxp-pro-x64").profile);
  EXPECT_EQ(FolderPath(m, CSIDL_DESKTOP), "C:\\Documents and Settings\\Owner\\Desktop");
  EXPECT_EQ(FolderPath(m, CSIDL_COMMON_PROGRAMS),
            "C:\\Documents and Settings\\All Users\\Start Menu\\Programs");
  EXPECT_EQ(FolderPath(m, CSIDL_PROGRAM_FILES_COMMON), "C:\\Program Files (x86)\\Common Files");
  for (const int csidl : {0x05, 0x1A, 0x24, -1}) {
    EXPECT_EQ(FolderPath(m, csidl, E_INVALIDARG), "####") << "buffer left alone";
  }
}

}  // namespace
}  // namespace lyn::sim
