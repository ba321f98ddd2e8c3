#include "sysinfo/operating_system.h"

#include <algorithm>
#include <map>

#include "sysinfo/ansi_text.h"

namespace lyn::OperatingSystem {

namespace {

bool Has(win::WORD suiteMask, win::WORD bit) {
  return (suiteMask & bit) != 0;
}

win::OSVERSIONINFOEXA QueryExtended(Platform& platform) {
  win::OSVERSIONINFOEXA extended{};
  extended.dwOSVersionInfoSize = sizeof(extended);
  if (platform.kernel32.GetVersionExA(reinterpret_cast<win::OSVERSIONINFOA*>(&extended)) == 0) {
    throw OSInfoError();
  }
  return extended;
}

// The processor architecture: the native one when the process runs under
// WOW64, otherwise the one the process sees.
win::WORD QueryProcessor(Platform& platform) {
  win::BOOL wow64 = win::FALSE;
  if (platform.kernel32.IsWow64Process(platform.kernel32.GetCurrentProcess(), &wow64) == 0) {
    throw OSInfoError();
  }
  win::SYSTEM_INFO info{};
  if (wow64) {
    platform.kernel32.GetNativeSystemInfo(&info);
  } else {
    platform.kernel32.GetSystemInfo(&info);
  }
  return info.wProcessorArchitecture;
}

void Windows95(const win::OSVERSIONINFOA& version, OSInfo& info) {
  switch (version.dwMinorVersion) {
    case 0:
      info.OSCode = 2;
      if (version.dwBuildNumber == 950) {
        info.OSName = "Windows 95";
      } else if (version.dwBuildNumber >= 951 && version.dwBuildNumber <= 1080) {
        info.OSName = "Windows 95 SP1";
      } else if (version.dwBuildNumber > 1080) {
        info.OSName = "Windows 95 OSR2";
      }
      break;
    case 10:
      info.OSCode = 3;
      if (version.dwBuildNumber == 1998) {
        info.OSName = "Windows 98";
      } else if (version.dwBuildNumber >= 1999 && version.dwBuildNumber <= 2182) {
        info.OSName = "Windows 98 SP1";
      } else if (version.dwBuildNumber >= 2183) {
        info.OSName = "Windows 98 SE";
      }
      break;
    case 90:
      info.OSName = "Windows ME";
      info.OSCode = 4;
      break;
    default:
      break;
  }
}

void Windows2000(const win::OSVERSIONINFOEXA& extended, OSInfo& info) {
  if (extended.wProductType == win::VER_NT_WORKSTATION) {
    info.OSName = "Windows 2000 Professional";
    info.OSCode = 7;
    return;
  }
  info.OSCode = 8;
  if (Has(extended.wSuiteMask, win::VER_SUITE_DATACENTER)) {
    info.OSName = "Windows 2000 Datacenter Server";
  } else if (Has(extended.wSuiteMask, win::VER_SUITE_ENTERPRISE)) {
    info.OSName = "Windows 2000 Advanced Server";
  } else {
    info.OSName = "Windows 2000 Server";
  }
}

void WindowsXP(Platform& platform, const win::OSVERSIONINFOEXA& extended, OSInfo& info) {
  if (platform.user32.GetSystemMetrics(win::SM_MEDIACENTER) != 0) {
    info.OSName = "Windows XP Media Center Edition";
    info.OSCode = 9;
  } else if (platform.user32.GetSystemMetrics(win::SM_STARTER) != 0) {
    info.OSName = "Windows XP Starter Edition";
    info.OSCode = 10;
  } else if (platform.user32.GetSystemMetrics(win::SM_TABLETPC) != 0) {
    info.OSName = "Windows XP Tablet PC Edition";
    info.OSCode = 9;
  } else if (Has(extended.wSuiteMask, win::VER_SUITE_PERSONAL)) {
    info.OSName = "Windows XP Home Edition";
    info.OSCode = 10;
  } else {
    info.OSName = "Windows XP Professional";
    info.OSCode = 9;
  }
}

// The server edition appended to a Windows Server 2003 name.
std::string Server2003Edition(win::WORD processor, win::WORD suiteMask) {
  switch (processor) {
    case win::PROCESSOR_ARCHITECTURE_IA64:
      if (Has(suiteMask, win::VER_SUITE_DATACENTER))
        return "Datacenter Edition for Itanium-based Systems";
      if (Has(suiteMask, win::VER_SUITE_ENTERPRISE))
        return "Enterprise Edition for Itanium-based Systems";
      return "";
    case win::PROCESSOR_ARCHITECTURE_AMD64:
      if (Has(suiteMask, win::VER_SUITE_DATACENTER)) return "Datacenter x64 Edition";
      if (Has(suiteMask, win::VER_SUITE_ENTERPRISE)) return "Enterprise x64 Edition";
      return "Standard x64 Edition";
    default:
      if (Has(suiteMask, win::VER_SUITE_COMPUTE_SERVER)) return "Compute Cluster Edition";
      if (Has(suiteMask, win::VER_SUITE_DATACENTER)) return "Datacenter Edition";
      if (Has(suiteMask, win::VER_SUITE_ENTERPRISE)) return "Enterprise Edition";
      if (Has(suiteMask, win::VER_SUITE_BLADE)) return "Web Edition";
      return "Standard Edition";
  }
}

void WindowsServer2003(Platform& platform, const win::OSVERSIONINFOEXA& extended, OSInfo& info) {
  const win::WORD processor = QueryProcessor(platform);
  if (platform.user32.GetSystemMetrics(win::SM_SERVERR2) != 0) {
    info.OSName = "Windows Server 2003 R2, ";
    info.OSCode = 11;
  } else if (extended.wSuiteMask == win::VER_SUITE_STORAGE_SERVER) {
    info.OSName = "Windows Storage Server 2003";
    info.OSCode = 11;
  } else if (processor == win::PROCESSOR_ARCHITECTURE_AMD64 &&
             extended.wProductType == win::VER_NT_WORKSTATION) {
    info.OSName = "Windows XP Professional x64 Edition";
    info.OSCode = 9;
    Is64BitOS = kTrue16;
  } else {
    info.OSName = "Windows Server 2003, ";
    info.OSCode = 11;
  }
  if (extended.wProductType != win::VER_NT_WORKSTATION) {
    info.OSName += Server2003Edition(processor, extended.wSuiteMask);
  }
}

// The edition names of the product types GetProductInfo reports.
const std::map<win::DWORD, const char*>& ProductEditions() {
  static const std::map<win::DWORD, const char*> editions = {
      {1, "Ultimate Edition"},
      {2, "Home Basic Edition"},
      {3, "Home Premium Edition"},
      {4, "Enterprise Edition"},
      {6, "Business Edition"},
      {7, "Standard Edition"},
      {8, "Datacenter Edition"},
      {9, "Small Business Server"},
      {10, "Enterprise Edition"},
      {11, "Starter Edition"},
      {12, "Datacenter Edition (core installation)"},
      {13, "Standard Edition (core installation)"},
      {14, "Enterprise Edition (core installation)"},
      {15, "Enterprise Edition for Itanium-based Systems"},
      {17, "Web Server Edition"},
      {18, "Cluster Server Edition"},
      {25, "Small Business Server Premium Edition"},
  };
  return editions;
}

void WindowsVersion6(Platform& platform, const win::OSVERSIONINFOEXA& extended, OSInfo& info) {
  const bool workstation = extended.wProductType == win::VER_NT_WORKSTATION;
  if (extended.dwMinorVersion == 0) {
    info.OSName = workstation ? "Windows Vista " : "Windows Server 2008 ";
    info.OSCode = workstation ? 12 : 13;
  } else if (extended.dwMinorVersion == 1) {
    info.OSName = workstation ? "Windows 7 " : "Windows Server 2008 R2 ";
    info.OSCode = workstation ? 14 : 15;
  }

  win::DWORD productType = 0;
  platform.kernel32.GetProductInfo(6, 0, 0, 0, &productType);
  const auto edition = ProductEditions().find(productType);
  if (edition != ProductEditions().end()) info.OSName += edition->second;

  const win::WORD processor = QueryProcessor(platform);
  if (processor == win::PROCESSOR_ARCHITECTURE_AMD64) {
    info.OSName += ", 64-bit";
    Is64BitOS = kTrue16;
  } else if (processor == win::PROCESSOR_ARCHITECTURE_INTEL) {
    info.OSName += ", 32-bit";
    Is64BitOS = kFalse16;
  }
}

void WindowsNT(Platform& platform, const win::OSVERSIONINFOA& version, OSInfo& info) {
  switch (version.dwMajorVersion) {
    case 3:
      info.OSName = "Windows NT 3.x";
      info.OSCode = 5;
      break;
    case 4:
      info.OSName = "Windows NT 4.x";
      info.OSCode = 6;
      break;
    case 5: {
      const win::OSVERSIONINFOEXA extended = QueryExtended(platform);
      if (extended.dwMinorVersion == 0) {
        Windows2000(extended, info);
      } else if (extended.dwMinorVersion == 1) {
        WindowsXP(platform, extended, info);
      } else if (extended.dwMinorVersion == 2) {
        WindowsServer2003(platform, extended, info);
      }
      break;
    }
    case 6:
      WindowsVersion6(platform, QueryExtended(platform), info);
      break;
    default:
      break;
  }
}

}  // namespace

OSInfo GetOSInfo(Platform& platform) {
  OSInfo info;
  win::OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (platform.kernel32.GetVersionExA(&version) == 0) throw OSInfoError();

  switch (version.dwPlatformId) {
    case win::VER_PLATFORM_WIN32s:
      info.OSName = "Windows 3.1";
      info.OSCode = 1;
      break;
    case win::VER_PLATFORM_WIN32_WINDOWS:
      Windows95(version, info);
      break;
    case win::VER_PLATFORM_WIN32_NT:
      WindowsNT(platform, version, info);
      break;
    case win::VER_PLATFORM_WIN32_CE:
      info.OSName = "Windows CE";
      info.OSCode = -1;
      break;
    default:
      break;
  }

  const char* csd = version.szCSDVersion;
  info.ServicePack =
      FromAnsi(platform.kernel32,
               std::string(csd, std::find(csd, csd + sizeof(version.szCSDVersion), '\0')));
  info.BuildNumber = std::to_string(version.dwBuildNumber);
  info.OSDescription = info.OSName + " (" + "Build " + info.BuildNumber +
                       (info.ServicePack.empty() ? "" : ", " + info.ServicePack) + ")";
  return info;
}

}  // namespace lyn::OperatingSystem
