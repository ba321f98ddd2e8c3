// The security sequence on the real platform, for the differential test:
// makes its folder and probe file, prints one line per call.
#include <cstdio>

#include "platform/differential/security_sequence.h"
#include "platform/win32/advapi32_security_win32.h"
#include "platform/win32/kernel32_win32.h"
// windows.h last: its macros would replace names of the seam's headers.
#include <windows.h>

int main() {
  const char* folder = "C:\\lyn-differential";
  ::CreateDirectoryA(folder, nullptr);
  const HANDLE file = ::CreateFileA("C:\\lyn-differential\\probe.txt", GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  ::CloseHandle(file);
  lyn::win32::Win32Advapi32Security security;
  lyn::win32::Win32Kernel32 kernel32;
  for (const std::string& line : lyn::differential::SecuritySequence(security, kernel32, folder)) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}
