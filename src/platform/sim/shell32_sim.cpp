// The special folders: the profile's desktop, all users' Start-menu
// programs, program files and common files.
#include "platform/sim/shell32_sim.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/last_error.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr int CSIDL_FLAG_DONT_VERIFY = 0x4000;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr int CSIDL_FOLDER_MASK = 0x00FF;
constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002);
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005);

const std::string* FolderOf(const Profile& p, int csidl) {
  switch (csidl) {
    case CSIDL_DESKTOP:
      return &p.Desktop;
    case CSIDL_COMMON_PROGRAMS:
      return &p.CommonPrograms;
    case CSIDL_PROGRAM_FILES:
      return &p.ProgramFiles;
    case CSIDL_PROGRAM_FILES_COMMON:
      return &p.CommonFiles;
    default:
      return nullptr;
  }
}

}  // namespace

HRESULT SimShell32::SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, LPSTR path) {
  return Guarded([](DWORD error) { return static_cast<HRESULT>(0x80070000 | (error & 0xFFFF)); },
                 [&]() -> HRESULT {
                   const std::string* windowsPath =
                       FolderOf(machine_.profile(), folder & CSIDL_FOLDER_MASK);
                   if (windowsPath == nullptr || path == nullptr) return E_INVALIDARG;
                   // The folder must exist unless the caller asks to create it or not to check.
                   const ResolvedPath resolved = machine_.Resolve(*windowsPath);
                   if (!resolved.exists) {
                     if ((folder & CSIDL_FLAG_CREATE) != 0) {
                       if (machine_.drives().MakeFolders(resolved.drivePath) != 0)
                         return kAccessDenied;
                     } else if ((folder & CSIDL_FLAG_DONT_VERIFY) == 0) {
                       return kFileNotFound;
                     }
                   }
                   std::string ansi = machine_.Utf8ToAnsi(*windowsPath);
                   ansi.resize(std::min<std::size_t>(ansi.size(), MAX_PATH - 1));
                   std::memcpy(path, ansi.c_str(), ansi.size() + 1);
                   return S_OK;
                 });
}

}  // namespace lyn::sim
