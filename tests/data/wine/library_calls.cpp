// The library sequence on the real platform, for the differential test:
// takes LABEL PATH pairs and prints the sequence's lines.
#include <cstdio>

#include "platform/differential/library_sequence.h"
#include "platform/win32/kernel32_library_win32.h"

// After the seam's headers: the platform's macros would rename their names.
#include <windows.h>

int main(int argc, char** argv) {
  lyn::differential::Libraries libraries;
  for (int i = 1; i + 1 < argc; i += 2) libraries.emplace_back(argv[i], argv[i + 1]);
  lyn::win32::Win32Kernel32Library library;
  const std::string lines = lyn::differential::RunLibrarySequence(
      library, [] { return static_cast<lyn::win::DWORD>(::GetLastError()); }, libraries);
  std::fputs(lines.c_str(), stdout);
  return 0;
}
