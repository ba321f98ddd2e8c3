// End to end: lynsim cab on a compressed cabinet made with gcab, checked
// against cabextract's listing of the same cabinet.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;
namespace fs = std::filesystem;

std::string RunShell(const std::string& command) {
  std::string output;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  if (pipe != nullptr) ::pclose(pipe);
  return output;
}

// The product's kind of cabinet: MSZIP, files under a folder, made with gcab.
std::string MakeCabinet(const fs::path& folder) {
  fs::create_directories(folder / "src" / "Maps");
  std::ofstream(folder / "src" / "QY.chm") << "help file";
  std::ofstream(folder / "src" / "Maps" / "Harbour.jpg") << std::string(100000, 'j');
  std::ofstream(folder / "src" / "ssvd.dtb") << "data";
  const std::string src = (folder / "src").string();
  RunShell("touch -d '2009-03-14 13:05:08' " + src + "/QY.chm && touch -d '2010-01-02 00:00:00' " +
           src + "/Maps/Harbour.jpg && touch -d '1999-12-31 23:59:58' " + src + "/ssvd.dtb");
  const fs::path cabinet = folder / "TEST.CAB";
  RunShell("cd " + src + " && gcab -c -z " + cabinet.string() +
           " QY.chm Maps/Harbour.jpg ssvd.dtb");
  return cabinet.string();
}

TEST(CabCommandTest, ListingAgreesWithCabextractOnNamesSizesAndDates) {
  ScratchMachine scratch;
  const std::string cabinet = MakeCabinet(scratch.folder());
  const LynsimResult where =
      scratch.Lynsim("path " + scratch.machine() + " 'C:\\Distribution\\TEST.CAB'");
  fs::copy_file(cabinet, where.out.substr(0, where.out.size() - 1),
                fs::copy_options::overwrite_existing);

  // cabextract: " size | DD.MM.YYYY HH:MM:SS | folder/name"
  std::set<std::string> expected;
  std::istringstream listing(RunShell("cabextract -l " + cabinet));
  for (std::string line; std::getline(listing, line);) {
    int size = 0, day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    char name[512];
    if (std::sscanf(line.c_str(), " %d | %d.%d.%d %d:%d:%d | %511[^\n]", &size, &day, &month, &year,
                    &hour, &minute, &second, name) == 8) {
      char row[700];
      std::snprintf(row, sizeof row, "%s %d %04d-%02d-%02d %02d:%02d:%02d", name, size, year, month,
                    day, hour, minute, second);
      expected.insert(row);
    }
  }
  ASSERT_EQ(expected.size(), 3u);

  const LynsimResult info = scratch.Lynsim("cab " + scratch.machine() + " info test.cab");
  ASSERT_EQ(info.status, 0) << info.err;
  std::set<std::string> listed;
  std::istringstream lines(info.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string name, stamp, size, path;
    std::getline(fields, name, '\t');
    std::getline(fields, stamp, '\t');
    std::getline(fields, size, '\t');
    std::getline(fields, path, '\t');
    for (char& c : path) c = c == '\\' ? '/' : c;
    listed.insert(path + name + " " + size + " " + stamp);
  }
  EXPECT_EQ(listed, expected);

  const LynsimResult count = scratch.Lynsim("cab " + scratch.machine() + " count TEST.CAB");
  EXPECT_EQ(count.out, "3\n");
}

TEST(CabCommandTest, ExtractWritesMarkedFilesOnlyAndErrorsEndWithStatusOne) {
  ScratchMachine scratch;
  const std::string cabinet = MakeCabinet(scratch.folder());
  const LynsimResult where =
      scratch.Lynsim("path " + scratch.machine() + " 'C:\\Distribution\\LYN.CAB'");
  fs::copy_file(cabinet, where.out.substr(0, where.out.size() - 1),
                fs::copy_options::overwrite_existing);

  const LynsimResult unmarked = scratch.Lynsim(
      "cab " + scratch.machine() + " extract LYN.CAB --output-path 'C:\\Out' --unmarked");
  EXPECT_EQ(unmarked.status, 0) << unmarked.err;
  EXPECT_EQ(unmarked.out,
            "BeforeExtract\tQY.chm\nBeforeExtract\tMaps\\Harbour.jpg\nBeforeExtract\tssvd.dtb\n");

  const LynsimResult marked = scratch.Lynsim("cab " + scratch.machine() +
                                             " extract LYN.CAB --output-path 'C:\\Out' "
                                             "--filter SSVD.DTB");
  EXPECT_EQ(marked.out, "BeforeExtract\tssvd.dtb\nAfterExtract\tC:\\Out\\ssvd.dtb\n");

  const LynsimResult missing = scratch.Lynsim("cab " + scratch.machine() + " xml none.cab");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "error 2 CabFile.GetXML: The system cannot find the file specified.\n");
}

}  // namespace
