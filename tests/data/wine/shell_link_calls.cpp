// The shortcut sequence on the real platform, for the differential test:
// prints the sequence's result.
#include <cstdio>

#include "platform/differential/shell_link_sequence.h"
#include "platform/win32/com_win32.h"

int main() {
  lyn::win32::Win32Com com;
  std::printf("%ld\n", static_cast<long>(lyn::differential::SaveShortcut(com)));
  return 0;
}
