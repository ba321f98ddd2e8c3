// The named machines: every Windows edition the setup program tells apart,
// with the version records, processor and folder layout each one has.
#include <stdexcept>
#include <string>

#include "platform/api/user32.h"
#include "platform/sim/machine/profile.h"

namespace lyn::sim {
namespace {

// What sets one edition apart; the folders, file system and user follow
// from the version (see Make).
struct Edition {
  const char* name;
  win::DWORD platform;
  win::DWORD major;
  win::DWORD minor;
  win::DWORD build;
  const char* servicePack;
  win::WORD suite;
  win::BYTE productType;
  win::WORD processor;  // native; anything but x86 runs the program under WOW64
  win::DWORD productInfo;
  int metric;  // the one edition metric (SM_TABLETPC ... SM_SERVERR2) set, or 0
  const char* description;
};

constexpr win::WORD kEnterprise = win::VER_SUITE_ENTERPRISE;
constexpr win::WORD kTerminal = win::VER_SUITE_TERMINAL;
constexpr win::WORD kDatacenter = win::VER_SUITE_DATACENTER;
constexpr win::WORD kSingleUser = win::VER_SUITE_SINGLEUSERTS;
constexpr win::WORD kPersonal = win::VER_SUITE_PERSONAL;
constexpr win::WORD kStorageServer = win::VER_SUITE_STORAGE_SERVER;
constexpr win::BYTE kDesktop = win::VER_NT_WORKSTATION;
constexpr win::BYTE kServer = win::VER_NT_SERVER;
constexpr win::WORD kX86 = win::PROCESSOR_ARCHITECTURE_INTEL;
constexpr win::WORD kX64 = win::PROCESSOR_ARCHITECTURE_AMD64;

constexpr Edition kEditions[] = {
    {"win7-ultimate-sp1", 2, 6, 1, 7601, "Service Pack 1", kSingleUser, kDesktop, kX86, 1, 0,
     "Windows 7 Ultimate SP1, 32-bit"},
    {"wince-5", 3, 5, 0, 1400, "", 0, kDesktop, kX86, 0, 0, "Windows CE 5.0"},
    {"unknown-platform", 4, 1, 0, 100, "", 0, kDesktop, kX86, 0, 0,
     "a platform identifier no Windows reports (4)"},
    {"win31-win32s", 0, 3, 10, 0, "", 0, kDesktop, kX86, 0, 0, "Windows 3.1 with Win32s"},
    {"win95", 1, 4, 0, 950, "", 0, kDesktop, kX86, 0, 0, "Windows 95 (build 950)"},
    {"win95-sp1", 1, 4, 0, 1080, " A", 0, kDesktop, kX86, 0, 0, "Windows 95 SP1 (build 1080)"},
    {"win95-osr2", 1, 4, 0, 1111, " B", 0, kDesktop, kX86, 0, 0, "Windows 95 OSR2 (build 1111)"},
    {"win98", 1, 4, 10, 1998, "", 0, kDesktop, kX86, 0, 0, "Windows 98 (build 1998)"},
    {"win98-se", 1, 4, 10, 2222, " A", 0, kDesktop, kX86, 0, 0,
     "Windows 98 Second Edition (build 2222)"},
    {"winme", 1, 4, 90, 3000, "", 0, kDesktop, kX86, 0, 0, "Windows ME (build 3000)"},
    {"nt351", 2, 3, 51, 1057, "Service Pack 5", 0, kDesktop, kX86, 0, 0,
     "Windows NT 3.51 Workstation SP5"},
    {"nt4-sp6", 2, 4, 0, 1381, "Service Pack 6", 0, kDesktop, kX86, 0, 0,
     "Windows NT 4.0 Workstation SP6"},
    {"win2000-pro", 2, 5, 0, 2195, "Service Pack 4", 0, kDesktop, kX86, 0, 0,
     "Windows 2000 Professional SP4"},
    {"win2000-server", 2, 5, 0, 2195, "Service Pack 4", kTerminal, kServer, kX86, 0, 0,
     "Windows 2000 Server SP4"},
    {"win2000-advanced-server", 2, 5, 0, 2195, "Service Pack 4", kEnterprise | kTerminal, kServer,
     kX86, 0, 0, "Windows 2000 Advanced Server SP4"},
    {"win2000-datacenter", 2, 5, 0, 2195, "Service Pack 4", kDatacenter | kEnterprise | kTerminal,
     kServer, kX86, 0, 0, "Windows 2000 Datacenter Server SP4"},
    {"winxp-home", 2, 5, 1, 2600, "Service Pack 3", kPersonal | kSingleUser, kDesktop, kX86, 0, 0,
     "Windows XP Home Edition SP3"},
    {"winxp-pro", 2, 5, 1, 2600, "Service Pack 3", kSingleUser, kDesktop, kX86, 0, 0,
     "Windows XP Professional SP3"},
    {"winxp-media-center", 2, 5, 1, 2600, "Service Pack 2", kSingleUser, kDesktop, kX86, 0,
     win::SM_MEDIACENTER, "Windows XP Media Center Edition 2005 SP2"},
    {"winxp-tablet", 2, 5, 1, 2600, "Service Pack 2", kSingleUser, kDesktop, kX86, 0,
     win::SM_TABLETPC, "Windows XP Tablet PC Edition 2005 SP2"},
    {"winxp-starter", 2, 5, 1, 2600, "Service Pack 3", kPersonal | kSingleUser, kDesktop, kX86, 0,
     win::SM_STARTER, "Windows XP Starter Edition SP3"},
    {"winxp-pro-x64", 2, 5, 2, 3790, "Service Pack 2", kSingleUser, kDesktop, kX64, 0, 0,
     "Windows XP Professional x64 Edition SP2"},
    {"win2003-standard", 2, 5, 2, 3790, "Service Pack 2", kTerminal, kServer, kX86, 0, 0,
     "Windows Server 2003 Standard Edition SP2"},
    {"win2003-enterprise", 2, 5, 2, 3790, "Service Pack 2", kEnterprise | kTerminal, kServer, kX86,
     0, 0, "Windows Server 2003 Enterprise Edition SP2"},
    {"win2003-enterprise-x64", 2, 5, 2, 3790, "Service Pack 2", kEnterprise | kTerminal, kServer,
     kX64, 0, 0, "Windows Server 2003 Enterprise x64 Edition SP2"},
    {"win2003-r2", 2, 5, 2, 3790, "Service Pack 2", kTerminal, kServer, kX86, 0, win::SM_SERVERR2,
     "Windows Server 2003 R2 Standard Edition SP2"},
    {"win2003-storage", 2, 5, 2, 3790, "Service Pack 2", kStorageServer, kServer, kX86, 0, 0,
     "Windows Storage Server 2003 SP2"},
    {"vista-business", 2, 6, 0, 6002, "Service Pack 2", kSingleUser, kDesktop, kX86, 6, 0,
     "Windows Vista Business SP2, 32-bit"},
    {"vista-home-premium-x64", 2, 6, 0, 6002, "Service Pack 2", kPersonal | kSingleUser, kDesktop,
     kX64, 3, 0, "Windows Vista Home Premium SP2, 64-bit"},
    {"win2008-standard", 2, 6, 0, 6002, "Service Pack 2", kTerminal, kServer, kX86, 7, 0,
     "Windows Server 2008 Standard SP2, 32-bit"},
    {"win7-professional", 2, 6, 1, 7601, "Service Pack 1", kSingleUser, kDesktop, kX86, 0x30, 0,
     "Windows 7 Professional SP1, 32-bit (product type 0x30)"},
    {"win7-ultimate-x64", 2, 6, 1, 7600, "", kSingleUser, kDesktop, kX64, 1, 0,
     "Windows 7 Ultimate, 64-bit, no service pack"},
    {"win2008r2-enterprise", 2, 6, 1, 7601, "Service Pack 1", kTerminal, kServer, kX64, 10, 0,
     "Windows Server 2008 R2 Enterprise SP1, 64-bit"},
    {"win8-x64", 2, 6, 2, 9200, "", kSingleUser, kDesktop, kX64, 0x65, 0,
     "Windows 8, 64-bit: version 6.2, newer than the setup program knows"},
};

// The folders each family of systems has: Windows 3.1, the Windows 95 line
// (and CE and the unknown platform), NT 3.51 and 4 with their profiles under
// the Windows folder, 2000 to 2003 with "Documents and Settings", and Vista
// and later with "Users" and "ProgramData".
void SetFolders(Profile& p) {
  const std::string& user = p.UserName;
  const bool nt = p.dwPlatformId == win::VER_PLATFORM_WIN32_NT;
  if (!nt) {
    p.WindowsDirectory = "C:\\WINDOWS";
    p.SystemDirectory = "C:\\WINDOWS\\SYSTEM";
    p.TempPath = p.dwPlatformId == win::VER_PLATFORM_WIN32s ? "C:\\TEMP\\" : "C:\\WINDOWS\\TEMP\\";
    p.CommonPrograms = "C:\\WINDOWS\\Start Menu\\Programs";
    p.Desktop = "C:\\WINDOWS\\Desktop";
  } else if (p.dwMajorVersion < 5) {
    p.WindowsDirectory = "C:\\WINNT";
    p.TempPath = "C:\\TEMP\\";
    p.CommonPrograms = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs";
    p.Desktop = "C:\\WINNT\\Profiles\\" + user + "\\Desktop";
  } else if (p.dwMajorVersion == 5) {
    p.WindowsDirectory = p.dwMinorVersion == 0 ? "C:\\WINNT" : "C:\\WINDOWS";
    p.TempPath = "C:\\Documents and Settings\\" + user + "\\Local Settings\\Temp\\";
    p.CommonPrograms = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs";
    p.Desktop = "C:\\Documents and Settings\\" + user + "\\Desktop";
  } else {
    p.WindowsDirectory = "C:\\Windows";
    p.TempPath = "C:\\Users\\" + user + "\\AppData\\Local\\Temp\\";
    p.CommonPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    p.Desktop = "C:\\Users\\" + user + "\\Desktop";
  }
  if (nt) p.SystemDirectory = p.WindowsDirectory + "\\system32";
  // A 32-bit program on a 64-bit system is shown the 32-bit program folders.
  p.ProgramFiles = p.Wow64 ? "C:\\Program Files (x86)" : "C:\\Program Files";
  p.CommonFiles = p.ProgramFiles + "\\Common Files";
}

// NT keeps its disks in NTFS; the Windows 95 line has FAT32 from OSR2 on.
std::string FileSystemOf(const Profile& p) {
  if (p.dwPlatformId == win::VER_PLATFORM_WIN32_NT) return "NTFS";
  const bool fat32 = p.dwPlatformId == win::VER_PLATFORM_WIN32_WINDOWS && p.dwBuildNumber >= 1111;
  return fat32 ? "FAT32" : "FAT";
}

Preset Make(const Edition& e) {
  Profile p;
  p.dwPlatformId = e.platform;
  p.dwMajorVersion = e.major;
  p.dwMinorVersion = e.minor;
  p.dwBuildNumber = e.build;
  p.szCSDVersion = e.servicePack;
  const std::string servicePackPrefix = "Service Pack ";
  p.wServicePackMajor =
      p.szCSDVersion.rfind(servicePackPrefix, 0) == 0
          ? static_cast<win::WORD>(std::stoi(p.szCSDVersion.substr(servicePackPrefix.size())))
          : 0;
  p.wServicePackMinor = 0;
  p.wSuiteMask = e.suite;
  p.wProductType = e.productType;
  p.wProcessorArchitecture = e.processor;
  p.Wow64 = e.processor != kX86;
  p.GetProductInfo = e.productInfo;
  p.SM_TABLETPC = e.metric == win::SM_TABLETPC;
  p.SM_MEDIACENTER = e.metric == win::SM_MEDIACENTER;
  p.SM_STARTER = e.metric == win::SM_STARTER;
  p.SM_SERVERR2 = e.metric == win::SM_SERVERR2;
  p.UserName = e.productType == kServer ? "Administrator" : "Owner";
  p.drives = {{'C', DriveVolume{FileSystemOf(p), "", 0x1C4B2E90}}};
  SetFolders(p);
  return Preset{e.name, e.description, p};
}

}  // namespace

const std::vector<Preset>& Presets() {
  static const std::vector<Preset> presets = [] {
    std::vector<Preset> made;
    for (const Edition& e : kEditions) made.push_back(Make(e));
    return made;
  }();
  return presets;
}

const Preset& FindPreset(const std::string& name) {
  for (const Preset& preset : Presets()) {
    if (preset.name == name) return preset;
  }
  throw std::invalid_argument("unknown preset '" + name + "' (see lynsim presets)");
}

const std::string& DefaultPresetName() {
  return Presets().front().name;
}

}  // namespace lyn::sim
