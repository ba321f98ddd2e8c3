// The cabinet walks on the real platform, for the differential test.
#include <cstdio>

#include "platform/differential/cabinet_sequence.h"
#include "platform/win32/kernel32_win32.h"
#include "platform/win32/setupapi_win32.h"

int main() {
  lyn::win32::Win32SetupApi setupapi;
  lyn::win32::Win32Kernel32 kernel32;
  std::fputs(lyn::differential::RunCabinetSequence(setupapi, kernel32).c_str(), stdout);
  return 0;
}
