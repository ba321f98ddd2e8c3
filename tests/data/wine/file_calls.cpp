// The file sequence on the real platform, for the differential test: prints
// the sequence's lines.
#include <cstdio>

#include "platform/differential/file_sequence.h"
#include "platform/win32/kernel32_win32.h"
#include "platform/win32/shell32_win32.h"

int main() {
  lyn::win32::Win32Kernel32 kernel32;
  lyn::win32::Win32Shell32 shell32;
  const std::string lines = lyn::differential::RunFileSequence(kernel32, shell32, "C:\\lyn-files");
  std::fputs(lines.c_str(), stdout);
  return 0;
}
