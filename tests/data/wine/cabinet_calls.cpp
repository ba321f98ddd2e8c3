// The cabinet walks on the real platform, for the differential test.
#include <cstdio>

#include "platform/differential/cabinet_sequence.h"
#include "platform/win32/setupapi_win32.h"
// windows.h last: its macros would replace names of the seam's headers.
#include <windows.h>

namespace {

class WindowsLastError : public lyn::differential::LastError {
 public:
  lyn::win::DWORD Get() override { return ::GetLastError(); }
  void Set(lyn::win::DWORD error) override { ::SetLastError(error); }
};

}  // namespace

int main() {
  lyn::win32::Win32SetupApi setupapi;
  WindowsLastError lastError;
  std::fputs(lyn::differential::RunCabinetSequence(setupapi, lastError).c_str(), stdout);
  return 0;
}
