// The registry sequence on the real platform, for the differential test.
#include <cstdio>

#include "platform/differential/registry_sequence.h"
#include "platform/win32/advapi32_registry_win32.h"

int main() {
  lyn::win32::Win32Advapi32Registry registry;
  std::fputs(lyn::differential::RunRegistrySequence(registry).c_str(), stdout);
  return 0;
}
