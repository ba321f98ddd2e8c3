// End to end: lynsim cab on the product's kind of cabinet (MSZIP, files
// under a folder), made with gcab from files of known dates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/lynsim/lynsim_process.h"

namespace {

using lyn::testing::LynsimResult;
using lyn::testing::ScratchMachine;
namespace fs = std::filesystem;

TEST(CabCommandTest, ListsExtractsAndNamesTheErrorsOfACompressedCabinet) {
  ScratchMachine scratch;
  const fs::path src = scratch.folder() / "src";
  fs::create_directories(src / "Maps");
  std::ofstream(src / "QY.chm") << "help file";
  std::ofstream(src / "Maps" / "Harbour.jpg") << std::string(100000, 'j');
  std::ofstream(src / "ssvd.dtb") << "data";
  const LynsimResult where =
      scratch.Lynsim("path " + scratch.machine() + " 'C:\\Distribution\\LYN.CAB'");
  const std::string make =
      "cd '" + src.string() + "' && touch -d '2009-03-14 13:05:08' QY.chm && " +
      "touch -d '2010-01-02 00:00:00' Maps/Harbour.jpg && touch -d '1999-12-31 23:59:58' "
      "ssvd.dtb && gcab -c -z '" +
      where.out.substr(0, where.out.size() - 1) + "' QY.chm Maps/Harbour.jpg ssvd.dtb";
  ASSERT_EQ(std::system(make.c_str()), 0) << make;
  const std::string cab = "cab " + scratch.machine();

  const LynsimResult info = scratch.Lynsim(cab + " info lyn.cab");
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out,
            "QY.chm\t2009-03-14 13:05:08\t9\t\n"
            "Harbour.jpg\t2010-01-02 00:00:00\t100000\tMaps\\\n"
            "ssvd.dtb\t1999-12-31 23:59:58\t4\t\n");
  EXPECT_EQ(scratch.Lynsim(cab + " count LYN.CAB").out, "3\n");

  const LynsimResult unmarked =
      scratch.Lynsim(cab + " extract LYN.CAB --output-path 'C:\\Out' --unmarked");
  EXPECT_EQ(unmarked.status, 0) << unmarked.err;
  EXPECT_EQ(unmarked.out,
            "BeforeExtract\tQY.chm\nBeforeExtract\tMaps\\Harbour.jpg\nBeforeExtract\tssvd.dtb\n");
  const LynsimResult marked =
      scratch.Lynsim(cab + " extract LYN.CAB --output-path 'C:\\Out' --filter SSVD.DTB");
  EXPECT_EQ(marked.out, "BeforeExtract\tssvd.dtb\nAfterExtract\tC:\\Out\\ssvd.dtb\n");

  const LynsimResult missing = scratch.Lynsim(cab + " xml none.cab");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "error 2 CabFile.GetXML: The system cannot find the file specified.\n");
}

}  // namespace
