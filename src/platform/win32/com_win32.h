// COM on real Windows: forwards to ole32. The objects it creates are the
// platform's own, used through the seam's interface classes, which have the
// same method order and calling convention.
#pragma once

#include "platform/api/com.h"

namespace lyn::win32 {

class Win32Com : public win::Com {
 public:
  win::HRESULT CoInitialize(win::LPVOID reserved) override;
  void CoUninitialize() override;
  win::HRESULT CoCreateInstance(const win::CLSID& classId, win::IUnknown* outer, win::DWORD context,
                                const win::IID& iid, win::LPVOID* object) override;
};

}  // namespace lyn::win32
