// The system files Windows XP, Vista and 7 ship that the product also
// ships, each in the version that system carries: some newer and some older
// than the product's, some equal. The build makes a stand-in PE file for each
// entry (carrying that version); a new machine of one of these systems gets
// them in its folders.
#pragma once

#include <filesystem>
#include <string_view>

#include "engine/manifest_rows.h"
#include "platform/sim/machine/profile.h"

namespace lyn::sim {

// One system file: the system that ships it, its folder (a destination code
// of the manifest: WSP the system folder, PFCFMSDAO the DAO folder, WIN the
// Windows folder), its name and its file version.
struct SystemFile {
  std::string_view system;
  std::string_view destination;
  std::string_view fileName;
  std::string_view version;
};

// One entry a line: the build reads this table to make the stand-ins.
inline constexpr SystemFile kSystemFiles[] = {
    {"winxp", WSP, "hh.exe", "5.1.2600.5512"},
    {"winxp", WSP, "hhctrl.ocx", "5.2.3790.2847"},
    {"winxp", WSP, "itss.dll", "5.1.2600.5512"},
    {"winxp", WSP, "itircl.dll", "5.2.3790.2453"},
    {"winxp", WSP, "RICHED32.DLL", "5.1.2600.5512"},
    {"winxp", WSP, "wininet.dll", "6.0.2900.5512"},
    {"winxp", WSP, "msjet40.dll", "4.0.9511.0"},
    {"winxp", WSP, "msjint40.dll", "4.0.9502.0"},
    {"winxp", WSP, "expsrv.dll", "6.0.72.9589"},
    {"winxp", WSP, "vbajet32.dll", "6.0.1.9431"},
    {"winxp", PFCFMSDAO, "dao360.dll", "3.60.9512.0"},
    {"vista", WSP, "hh.exe", "6.0.6002.18005"},
    {"vista", WSP, "hhctrl.ocx", "6.0.6002.18005"},
    {"vista", WSP, "itss.dll", "6.0.6002.18005"},
    {"vista", WSP, "itircl.dll", "6.0.6002.18005"},
    {"vista", WSP, "RICHED32.DLL", "6.0.6002.18005"},
    {"vista", WSP, "wininet.dll", "7.0.6002.18005"},
    {"vista", WSP, "ieframe.dll", "7.0.6002.18005"},
    {"vista", WSP, "msjet40.dll", "4.0.9704.0"},
    {"vista", WSP, "expsrv.dll", "6.0.72.9589"},
    {"vista", WSP, "vbajet32.dll", "6.0.1.9431"},
    {"vista", PFCFMSDAO, "dao360.dll", "3.60.9704.0"},
    {"win7", WSP, "hh.exe", "6.1.7600.16385"},
    {"win7", WSP, "hhctrl.ocx", "6.1.7601.17514"},
    {"win7", WSP, "itss.dll", "6.1.7600.16385"},
    {"win7", WSP, "itircl.dll", "6.1.7600.16385"},
    {"win7", WSP, "RICHED32.DLL", "6.1.7601.17514"},
    {"win7", WSP, "wininet.dll", "8.0.7600.16385"},
    {"win7", WSP, "ieframe.dll", "8.0.7600.16385"},
    {"win7", WSP, "msjet40.dll", "4.0.9756.0"},
    {"win7", WSP, "expsrv.dll", "6.0.72.9589"},
    {"win7", WSP, "vbajet32.dll", "6.0.1.9431"},
    {"win7", PFCFMSDAO, "dao360.dll", "3.60.9756.0"},
};

// The system whose files a machine of this profile holds: "winxp" for
// Windows XP (5.1, and the 64-bit XP's 5.2 on a workstation), "vista" for
// Vista (6.0) and "win7" for 7 (6.1) on a workstation; empty for any other.
std::string_view SystemOf(const Profile& profile);

}  // namespace lyn::sim
