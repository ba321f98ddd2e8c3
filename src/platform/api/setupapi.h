// The setupapi operation the program calls: the cabinet iteration service,
// with the published notification codes, answers and records.
#pragma once

#include "platform/api/win_types.h"

namespace lyn::win {

// Notifications of SetupIterateCabinetA.
constexpr UINT SPFILENOTIFY_CABINETINFO = 0x10;
constexpr UINT SPFILENOTIFY_FILEINCABINET = 0x11;
constexpr UINT SPFILENOTIFY_NEEDNEWCABINET = 0x12;
constexpr UINT SPFILENOTIFY_FILEEXTRACTED = 0x13;

// Answers to SPFILENOTIFY_FILEINCABINET.
constexpr UINT FILEOP_ABORT = 0;
constexpr UINT FILEOP_DOIT = 1;
constexpr UINT FILEOP_SKIP = 2;

constexpr UINT NO_ERROR = 0;

// The records are packed on 32-bit Windows and naturally aligned on 64-bit
// Windows, as the platform's headers declare them.
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 1)
#endif

// First parameter of SPFILENOTIFY_CABINETINFO.
struct CABINET_INFO_A {
  LPCSTR CabinetPath;
  LPCSTR CabinetFile;
  LPCSTR DiskName;
  WORD SetId;
  WORD CabinetNumber;
};

// First parameter of SPFILENOTIFY_FILEINCABINET. The callback writes the
// target path into FullTargetName before answering FILEOP_DOIT.
struct FILE_IN_CABINET_INFO_A {
  LPCSTR NameInCabinet;
  DWORD FileSize;
  DWORD Win32Error;
  WORD DosDate;
  WORD DosTime;
  WORD DosAttribs;
  CHAR FullTargetName[MAX_PATH];
};

// First parameter of SPFILENOTIFY_FILEEXTRACTED.
struct FILEPATHS_A {
  LPCSTR Target;
  LPCSTR Source;
  UINT Win32Error;
  DWORD Flags;
};

#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(FILE_IN_CABINET_INFO_A) == 278);
static_assert(sizeof(FILEPATHS_A) == 16);
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFF
static_assert(sizeof(FILE_IN_CABINET_INFO_A) == 288);
static_assert(offsetof(FILE_IN_CABINET_INFO_A, FullTargetName) == 22);
static_assert(sizeof(FILEPATHS_A) == 24);
#endif

// The callback: context, notification, two parameters; the answer.
using PSP_FILE_CALLBACK_A = UINT(LYN_CALLBACK*)(LPVOID context, UINT notification, UINT_PTR param1,
                                                UINT_PTR param2);

class SetupApi {
 public:
  virtual ~SetupApi() = default;

  // Walks the cabinet `cabinetFile` and calls `callback` for each event of
  // the walk. FALSE with the last error set when the walk fails.
  virtual BOOL SetupIterateCabinetA(LPCSTR cabinetFile, DWORD reserved,
                                    PSP_FILE_CALLBACK_A callback, LPVOID context) = 0;
};

}  // namespace lyn::win
