#include "platform/win32/setupapi_win32.h"

#include "platform/win32/win_sdk.h"
// The platform's headers first: the cabinet service's header needs their types.
#include <setupapi.h>

#include <type_traits>

namespace lyn::win32 {

// The seam's records and callback are the platform's own, byte for byte.
static_assert(sizeof(win::FILE_IN_CABINET_INFO_A) == sizeof(::FILE_IN_CABINET_INFO_A));
static_assert(offsetof(win::FILE_IN_CABINET_INFO_A, FullTargetName) ==
              offsetof(::FILE_IN_CABINET_INFO_A, FullTargetName));
static_assert(sizeof(win::FILEPATHS_A) == sizeof(::FILEPATHS_A));
static_assert(sizeof(win::CABINET_INFO_A) == sizeof(::CABINET_INFO_A));
static_assert(std::is_same_v<win::PSP_FILE_CALLBACK_A, ::PSP_FILE_CALLBACK_A>);

win::BOOL Win32SetupApi::SetupIterateCabinetA(win::LPCSTR cabinetFile, win::DWORD reserved,
                                              win::PSP_FILE_CALLBACK_A callback,
                                              win::LPVOID context) {
  return ::SetupIterateCabinetA(cabinetFile, reserved, callback, context);
}

}  // namespace lyn::win32
