// The same cabinet walks on the emulated machine and under Wine's setupapi:
// notifications, answers, results, last errors and the files written agree,
// except where Wine is known to differ from Windows; there the machine gives
// Windows' answer, and each difference is stated with its reason. Skipped,
// with a message, only when Wine cannot start.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cabinet/test_cabinet.h"
#include "fakes/machine_platform.h"
#include "platform/differential/cabinet_sequence.h"
#include "platform/differential/wine_prefix.h"

namespace lyn::differential {
namespace {

namespace fs = std::filesystem;

std::string DataFile(const char* name) {
  std::ifstream in(fs::path(LYN_SOURCE_DIR) / "tests" / "data" / "cab" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The cabinets by name: an MSZIP one with files under folders, a stored one
// with three cabinet folders (an entry dated at midnight among them), an
// empty one, the first cut short in its first data block, the first with a
// damaged data block, and a file that is no cabinet.
// The cut is inside the first block because libmspack reads compressed
// input ahead across data blocks: in a cabinet cut after whole blocks, the
// machine already fails at the last file of the last whole block, which
// Windows still writes.
std::map<std::string, std::string> Cabinets() {
  using testing::DosDate;
  using testing::DosTime;
  const std::string several = DataFile("several.cab");
  std::string corrupt = several;
  corrupt[20000] ^= 0x55;
  return {
      {"several.cab", several},
      {"folders.cab", testing::UncompressedCabinet({
                          {"first.txt", "one", DosDate(2001, 2, 3), DosTime(4, 5, 6), 0x20, 0},
                          {"Docs\\second.txt", std::string(40000, 's'), DosDate(2009, 3, 14),
                           DosTime(0, 0, 0), 0x21, 1},
                          {"Docs\\More\\third.bin", std::string(70000, '\x03'), DosDate(1980, 1, 1),
                           DosTime(23, 59, 58), 0x20, 2},
                          {"last.txt", "end", DosDate(2107, 12, 31), DosTime(12, 0, 0), 0x20, 2},
                      })},
      {"empty.cab", DataFile("empty.cab")},
      {"truncated.cab", several.substr(0, 12000)},
      {"corrupt.cab", corrupt},
      {"not-a-cabinet.cab", DataFile("not-a-cabinet.cab")},
  };
}

// Where Wine's setupapi answers otherwise than Windows: in the named walk,
// what follows the first `after` in Wine's lines reads `windows` on Windows.
struct KnownDifference {
  const char* walk;
  const char* why;
  const char* after;
  const char* windows;
};

constexpr KnownDifference kWineDiffers[] = {
    {"not-a-cabinet.cab as not-a-cabinet.cab-",
     "Wine fails on a file that is no cabinet without an error code; Windows gives "
     "ERROR_INVALID_DATA",
     "", "  result 0 error 13\n"},
    {"several.cab as some-",
     "Wine goes on with the next files after FILEOP_ABORT; Windows ends the walk there, with "
     "success",
     "\" answer 0\n", "  result 1\n"},
    {"folders.cab as refused-",
     "Wine ignores an error code answered to FILEEXTRACTED and goes on; Windows fails the walk "
     "with it",
     "answer 1223\n", "  result 0 error 1223\n"},
    {"truncated.cab as truncated.cab-",
     "Wine reports a file whose data ends early as extracted and fails without an error code; "
     "Windows fails at that file with ERROR_INVALID_DATA",
     "\" answer 1\n", "  result 0 error 13\n"},
    {"corrupt.cab as corrupt.cab-",
     "Wine reports a file whose data block fails its checksum as extracted and fails without an "
     "error code; Windows fails at that file with ERROR_INVALID_DATA",
     "\" answer 1\n", "  result 0 error 13\n"},
};

// Wine also leaves the cabinet's name out of CABINETINFO, which Windows
// gives: this part of each walk's first line reads "cabinet "NAME" path ".
constexpr const char* kWineCabinetInfo = "  cabinet \"\" path ";

// The output split into walks, by the walk's name ("several.cab as some-").
std::map<std::string, std::string> Walks(const std::string& out) {
  std::map<std::string, std::string> walks;
  std::string* current = nullptr;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = out.substr(start, end - start + 1);
    if (line.starts_with("walk ")) {
      current = &walks[line.substr(5, line.size() - 6)];
    } else if (current != nullptr) {
      *current += line;
    }
  }
  return walks;
}

// Every file of a folder on the host, by name, with its bytes.
std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

// The names of the files a walk reported as extracted, in the out folder.
std::vector<std::string> ReportedExtracted(const std::string& out) {
  const std::string extracted = "extracted \"C:\\lyn-cab\\out\\";
  std::vector<std::string> names;
  for (std::size_t at = out.find(extracted); at != std::string::npos;
       at = out.find(extracted, at + 1)) {
    const std::size_t name = at + extracted.size();
    names.push_back(out.substr(name, out.find('"', name) - name));
  }
  return names;
}

TEST(CabinetDifferentialTest, TheMachineWalksCabinetsAsWindowsDoes) {
  const WinePrefix wine;
  fakes::MachinePlatform machine;
  fs::create_directories(wine.DriveC() / "lyn-cab" / "out");
  machine.MakeFolder(std::string(kCabinetFolder) + "out");
  for (const auto& [name, bytes] : Cabinets()) {
    std::ofstream(wine.DriveC() / "lyn-cab" / name, std::ios::binary) << bytes;
    machine.PutFile(kCabinetFolder + name, bytes);
  }
  const auto out = wine.Run(std::string(LYN_TEST_WINE_DIR) + "/cabinet_calls.exe");
  if (!out) GTEST_SKIP() << "Wine cannot start (" << WinePrefix::kWine << "): no differential run";

  const std::string emulated =
      RunCabinetSequence(machine.platform().setupapi, machine.platform().kernel32);

  std::map<std::string, std::string> expected = Walks(*out);
  for (auto& [name, walk] : expected) {
    if (walk.starts_with(kWineCabinetInfo)) {
      walk.replace(0, std::strlen(kWineCabinetInfo),
                   "  cabinet \"" + name.substr(0, name.find(' ')) + "\" path ");
    }
  }
  for (const KnownDifference& difference : kWineDiffers) {
    std::string& walk = expected[difference.walk];
    const std::size_t at = walk.find(difference.after);
    ASSERT_NE(at, std::string::npos) << difference.walk << "\n" << walk;
    const std::size_t rest = at + std::strlen(difference.after);
    EXPECT_NE(walk.substr(rest), difference.windows)
        << difference.walk << ": Wine no longer differs (" << difference.why << ")";
    walk.replace(rest, std::string::npos, difference.windows);
  }
  const std::map<std::string, std::string> actual = Walks(emulated);
  ASSERT_EQ(actual.size(), expected.size()) << emulated;
  for (const auto& [walk, lines] : expected) {
    EXPECT_EQ(actual.at(walk), lines) << walk;
  }

  // Every file the machine left Wine left too (Wine leaves more where it
  // goes on after an abort or a refused file), and each file reported
  // extracted holds the same bytes in both. A file being written when a walk
  // failed holds what the decoder had produced by then, the decoder's own
  // business.
  const auto wineFiles = FilesIn(wine.DriveC() / "lyn-cab" / "out");
  const auto machineFiles = FilesIn(machine.Host(std::string(kCabinetFolder) + "out"));
  for (const auto& file : machineFiles) EXPECT_TRUE(wineFiles.contains(file.first)) << file.first;
  const std::vector<std::string> extracted = ReportedExtracted(emulated);
  EXPECT_EQ(extracted.size(), 12u);
  for (const std::string& name : extracted) {
    ASSERT_TRUE(wineFiles.contains(name) && machineFiles.contains(name)) << name;
    EXPECT_EQ(machineFiles.at(name), wineFiles.at(name)) << name;
  }
}

}  // namespace
}  // namespace lyn::differential
