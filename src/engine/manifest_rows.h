// The product's files as the program ships them: for each manifest row its
// name in the product cabinet, the version shipped and its destination code.
#pragma once

#include <array>
#include <string_view>

#include "engine/map_pictures.h"

namespace lyn {

// Destination codes; each names a folder and how the install run treats the
// file. Compared as exact, case-sensitive text.
inline constexpr std::string_view WSPSF = "WSPSF";          // system folder, registered
inline constexpr std::string_view WSP = "WSP";              // system folder, registered
inline constexpr std::string_view PFCFMSDAO = "PFCFMSDAO";  // DAO folder, registered
inline constexpr std::string_view AP = "AP";                // program folder
inline constexpr std::string_view APM = "APM";              // program folder's Maps folder
inline constexpr std::string_view WIN = "WIN";              // Windows folder

// The fixed part of one manifest row.
struct ManifestEntry {
  std::string_view FileName;
  std::string_view ShippedVersion;
  std::string_view Destination;
};

inline constexpr int kManifestRowCount = 48;

// Rows 1 to 48 in order (element 0 is row 1). The row numbers are fixed: the
// version survey addresses the rows in fixed ranges.
inline constexpr std::array<ManifestEntry, kManifestRowCount> kManifestRows = [] {
  std::array<ManifestEntry, kManifestRowCount> rows{{
      {"SPARE", "0.0.0.0", WSPSF},
      {"SPARE", "0.0.0.0", WSPSF},
      {"SPARE", "0.0.0.0", WSPSF},
      {"SPARE", "0.0.0.0", WSPSF},
      {"SPARE", "0.0.0.0", WSPSF},
      {"msjint40.dll", "4.0.9502.0", WSPSF},
      {"msjter40.dll", "4.0.9502.0", WSPSF},
      {"msjtes40.dll", "4.0.9502.0", WSPSF},
      {"msrd2x40.dll", "4.0.9502.0", WSPSF},
      {"msrd3x40.dll", "4.0.9502.0", WSPSF},
      {"msrepl40.dll", "4.0.9502.0", WSPSF},
      {"mswdat10.dll", "4.0.9502.0", WSPSF},
      {"mswstr10.dll", "4.0.9502.0", WSPSF},
      {"vbajet32.dll", "6.0.1.9432", WSPSF},
      {"expsrv.dll", "6.0.72.9590", WSPSF},
      {"RICHED32.DLL", "4.0.993.4", WSPSF},
      {"itircl.dll", "5.2.3790.2453", WSP},
      {"itss.dll", "5.2.3790.4186", WSP},
      {"msjet40.dll", "4.0.9511.0", WSPSF},
      {"MSCOMCTL.OCX", "6.1.97.82", WSP},
      {"COMCTL32.OCX", "6.0.81.5", WSP},
      {"RICHTX32.OCX", "6.1.97.82", WSP},
      {"MSFLXGRD.OCX", "6.1.97.82", WSP},
      {"COMDLG32.OCX", "6.1.97.82", WSP},
      {"VB5DB.dll", "6.0.81.69", WSP},
      {"wininet.dll", "8.0.6001.18904", WSP},
      {"ieframe.dll", "8.0.6001.18904", WSP},
      {"hhctrl.ocx", "5.2.3790.4110", WSP},
      {"hh.exe", "6.0.6000.16386", WSP},
      {"dao360.dll", "3.60.9512.0", PFCFMSDAO},
      {"QY.chm", "0.0.0.0", AP},
      {"ssvd.dtb", "0.0.0.0", AP},
      {"LYN.exe", "6.7.0.0", AP},
      {"UninstallLYN67.exe", "2.0.0.0", WIN},
  }};
  constexpr std::size_t kFirstPicture = 34;
  for (std::size_t i = 0; i < kMapPictures.size(); ++i) {
    rows[kFirstPicture + i] = {kMapPictures[i], "0.0.0.0", APM};
  }
  return rows;
}();

}  // namespace lyn
