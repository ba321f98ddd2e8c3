// The broken and hostile cabinets kept in tests/data/cab (also the cabinet
// fuzzer's seeds): each ends in a result or one of the cabinet errors, and
// extraction writes nothing outside the output folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "cabinet/cab_file.h"
#include "engine/manifest.h"
#include "fakes/machine_platform.h"

namespace lyn {
namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name) {
  std::ifstream in(fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "cab" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of the machine's C: drive outside "C:\Out" and the cabinet's
// own folder.
int FilesOutside(const fakes::MachinePlatform& machine) {
  int count = 0;
  const fs::path out = machine.Host("C:\\Out");
  const fs::path distribution = machine.Host("C:\\Distribution");
  for (const auto& entry : fs::recursive_directory_iterator(machine.Host("C:\\"))) {
    const std::string path = entry.path().string();
    if (entry.is_regular_file() && !path.starts_with(out.string()) &&
        !path.starts_with(distribution.string())) {
      ++count;
    }
  }
  return count;
}

TEST(HostileCabinetsTest, EachEndsInAResultOrACabinetErrorAndNothingLeavesTheFolder) {
  const struct {
    const char* file;
    int count;      // FileCount, or -1 when it fails with 13
    int extracted;  // files AfterExtract reports
    int error;      // the error of Extract, 0 for none
  } cases[] = {{"good.cab", 2, 2, 0},
               {"truncated.cab", 2, 0, 13},
               {"unknown-method.cab", 2, 0, 13},
               {"huge-block-count.cab", 2, 2, 0},
               {"traversal.cab", 4, 1, 0},
               {"huge-file-count.cab", -1, 0, 13},
               {"empty.cab", 0, 0, 0},
               {"not-a-cabinet.cab", -1, 0, 13}};
  for (const auto& c : cases) {
    fakes::MachinePlatform machine;
    machine.PutFile(std::string("C:\\Distribution\\") + c.file, DataFile(c.file));
    Manifest::BuildManifest();
    for (int row = 1; row <= 48; ++row) Manifest::InstallMark[row] = -1;
    Manifest::FileName[40] = "a.jpg";
    Manifest::FileName[41] = "ok.txt";
    Manifest::FileName[42] = "escape.txt";
    auto cab = std::make_shared<CabFile>(machine.platform());
    cab->SetCabName(c.file);
    int extracted = 0;
    cab->AfterExtract = [&extracted](const std::string&) { ++extracted; };
    int count = -1;
    try {
      count = cab->FileCount();
    } catch (const CabFileError& e) {
      EXPECT_EQ(e.Number(), 13) << c.file;
    }
    int error = 0;
    try {
      cab->Extract("", "C:\\Out", "");
    } catch (const CabFileError& e) {
      error = e.Number();
    }
    EXPECT_EQ(count, c.count) << c.file;
    EXPECT_EQ(extracted, c.extracted) << c.file;
    EXPECT_EQ(error, c.error) << c.file;
    EXPECT_EQ(FilesOutside(machine), 0) << c.file;
  }
}

}  // namespace
}  // namespace lyn
