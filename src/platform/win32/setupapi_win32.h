// setupapi of real Windows: the cabinet iteration service passed through.
#pragma once

#include "platform/api/setupapi.h"

namespace lyn::win32 {

class Win32SetupApi : public win::SetupApi {
 public:
  win::BOOL SetupIterateCabinetA(win::LPCSTR cabinetFile, win::DWORD reserved,
                                 win::PSP_FILE_CALLBACK_A callback, win::LPVOID context) override;
};

}  // namespace lyn::win32
