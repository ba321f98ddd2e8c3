// The security sequence on the real platform, for the differential test:
// makes its folder and probe file, prints one line per call.
#include <cstdio>

#include "platform/differential/security_sequence.h"
#include "platform/win32/advapi32_security_win32.h"
// windows.h last: its macros would replace names of the seam's headers.
#include <windows.h>

namespace {

class WindowsHost : public lyn::differential::SequenceHost {
 public:
  void SetLastError(lyn::win::DWORD error) override { ::SetLastError(error); }
  lyn::win::DWORD GetLastError() override { return ::GetLastError(); }
  lyn::win::HANDLE GetCurrentThread() override {
    return reinterpret_cast<lyn::win::HANDLE>(::GetCurrentThread());
  }
  void LocalFree(void* memory) override { ::LocalFree(memory); }
};

}  // namespace

int main() {
  const char* folder = "C:\\lyn-differential";
  ::CreateDirectoryA(folder, nullptr);
  const HANDLE file = ::CreateFileA("C:\\lyn-differential\\probe.txt", GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  ::CloseHandle(file);
  lyn::win32::Win32Advapi32Security security;
  WindowsHost host;
  for (const std::string& line : lyn::differential::SecuritySequence(security, host, folder)) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}
