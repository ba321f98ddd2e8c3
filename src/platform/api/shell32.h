// shell32 and shfolder: special folders and the shell file operation.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_COMMON_PROGRAMS = 0x0017;
constexpr int CSIDL_PROGRAM_FILES = 0x0026;
constexpr int CSIDL_PROGRAM_FILES_COMMON = 0x002B;

constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

using FILEOP_FLAGS = WORD;
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x0010;
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x0040;
constexpr FILEOP_FLAGS FOF_NOCONFIRMMKDIR = 0x0200;

// SHFILEOPSTRUCTA. pFrom and pTo are lists of paths, each ended by a NUL,
// the whole list ended by a second NUL. In 32-bit programs the platform packs
// this record to single bytes.
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 1)
#endif
struct SHFILEOPSTRUCTA {
  HWND hwnd;
  UINT wFunc;
  LPCSTR pFrom;
  LPCSTR pTo;
  FILEOP_FLAGS fFlags;
  BOOL fAnyOperationsAborted;
  LPVOID hNameMappings;
  LPCSTR lpszProgressTitle;
};
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif

// Result codes of SHFileOperationA beside the Win32 error codes.
constexpr int DE_SAMEFILE = 0x71;
constexpr int DE_MANYSRC1DEST = 0x72;
constexpr int DE_DIFFDIR = 0x73;
constexpr int DE_OPCANCELLED = 0x75;
constexpr int DE_DESTSUBTREE = 0x76;
constexpr int DE_INVALIDFILES = 0x7C;
constexpr int DE_DESTSAMETREE = 0x7D;
constexpr int DE_FLDDESTISFILE = 0x7E;
constexpr int DE_FILEDESTISFLD = 0x80;
constexpr int DE_ERROR_MAX = 0xB7;

class Shell32 {
 public:
  virtual ~Shell32() = default;

  virtual HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags,
                                   LPSTR path) = 0;
  virtual int SHFileOperationA(SHFILEOPSTRUCTA* operation) = 0;
};

}  // namespace lyn::win
