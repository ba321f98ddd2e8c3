// The shipped manifest, row by row, against a copy written out independently:
// a changed name, shipped version or destination code of any row fails here.
#include "engine/manifest_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace lyn {
namespace {

struct Row {
  const char* name;
  const char* version;
  const char* destination;
};

constexpr Row kExpected[] = {
    {"SPARE", "0.0.0.0", "WSPSF"},
    {"SPARE", "0.0.0.0", "WSPSF"},
    {"SPARE", "0.0.0.0", "WSPSF"},
    {"SPARE", "0.0.0.0", "WSPSF"},
    {"SPARE", "0.0.0.0", "WSPSF"},
    {"msjint40.dll", "4.0.9502.0", "WSPSF"},
    {"msjter40.dll", "4.0.9502.0", "WSPSF"},
    {"msjtes40.dll", "4.0.9502.0", "WSPSF"},
    {"msrd2x40.dll", "4.0.9502.0", "WSPSF"},
    {"msrd3x40.dll", "4.0.9502.0", "WSPSF"},
    {"msrepl40.dll", "4.0.9502.0", "WSPSF"},
    {"mswdat10.dll", "4.0.9502.0", "WSPSF"},
    {"mswstr10.dll", "4.0.9502.0", "WSPSF"},
    {"vbajet32.dll", "6.0.1.9432", "WSPSF"},
    {"expsrv.dll", "6.0.72.9590", "WSPSF"},
    {"RICHED32.DLL", "4.0.993.4", "WSPSF"},
    {"itircl.dll", "5.2.3790.2453", "WSP"},
    {"itss.dll", "5.2.3790.4186", "WSP"},
    {"msjet40.dll", "4.0.9511.0", "WSPSF"},
    {"MSCOMCTL.OCX", "6.1.97.82", "WSP"},
    {"COMCTL32.OCX", "6.0.81.5", "WSP"},
    {"RICHTX32.OCX", "6.1.97.82", "WSP"},
    {"MSFLXGRD.OCX", "6.1.97.82", "WSP"},
    {"COMDLG32.OCX", "6.1.97.82", "WSP"},
    {"VB5DB.dll", "6.0.81.69", "WSP"},
    {"wininet.dll", "8.0.6001.18904", "WSP"},
    {"ieframe.dll", "8.0.6001.18904", "WSP"},
    {"hhctrl.ocx", "5.2.3790.4110", "WSP"},
    {"hh.exe", "6.0.6000.16386", "WSP"},
    {"dao360.dll", "3.60.9512.0", "PFCFMSDAO"},
    {"QY.chm", "0.0.0.0", "AP"},
    {"ssvd.dtb", "0.0.0.0", "AP"},
    {"LYN.exe", "6.7.0.0", "AP"},
    {"UninstallLYN67.exe", "2.0.0.0", "WIN"},
    {"Map01_Harbour.jpg", "0.0.0.0", "APM"},
    {"Map02_OldTown.jpg", "0.0.0.0", "APM"},
    {"Map03_Riverside.jpg", "0.0.0.0", "APM"},
    {"Map04_NorthQuay.jpg", "0.0.0.0", "APM"},
    {"Map05_MarketSquare.jpg", "0.0.0.0", "APM"},
    {"Map06_Lighthouse.jpg", "0.0.0.0", "APM"},
    {"Map07_Millbrook.jpg", "0.0.0.0", "APM"},
    {"Map08_StationRoad.jpg", "0.0.0.0", "APM"},
    {"Map09_CastleHill.jpg", "0.0.0.0", "APM"},
    {"Map10_Docklands.jpg", "0.0.0.0", "APM"},
    {"Map11_Parkside.jpg", "0.0.0.0", "APM"},
    {"Map12_Westgate.jpg", "0.0.0.0", "APM"},
    {"Map13_Fenland.jpg", "0.0.0.0", "APM"},
    {"Map14_Overview.jpg", "0.0.0.0", "APM"},
};

TEST(ManifestRowsTest, EveryRowShipsItsFileVersionAndDestination) {
  ASSERT_EQ(std::size(kExpected), kManifestRows.size());
  for (std::size_t i = 0; i < kManifestRows.size(); ++i) {
    const ManifestEntry& row = kManifestRows[i];
    EXPECT_EQ(row.FileName, kExpected[i].name) << "row " << i + 1;
    EXPECT_EQ(row.ShippedVersion, kExpected[i].version) << "row " << i + 1;
    EXPECT_EQ(row.Destination, kExpected[i].destination) << "row " << i + 1;
  }
}

}  // namespace
}  // namespace lyn
