// The real platform as one object for the program: the system libraries and
// the standard controls, composed and handed out as a lyn::Platform.
#pragma once

#include "platform/api/platform.h"
#include "platform/win32/advapi32_registry_win32.h"
#include "platform/win32/advapi32_security_win32.h"
#include "platform/win32/com_win32.h"
#include "platform/win32/kernel32_library_win32.h"
#include "platform/win32/kernel32_win32.h"
#include "platform/win32/setupapi_win32.h"
#include "platform/win32/shell32_win32.h"
#include "platform/win32/ui/widgets_win32.h"
#include "platform/win32/user32_win32.h"
#include "platform/win32/version_win32.h"

namespace lyn::win32 {

class Win32Platform {
 public:
  Win32Platform()
      : platform_{kernel32_, user32_,           version_,  shell32_, setupapi_,
                  widgets_,  advapi32Security_, registry_, com_,     library_} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }

 private:
  Win32Kernel32 kernel32_;
  Win32User32 user32_;
  Win32Version version_;
  Win32Shell32 shell32_;
  Win32SetupApi setupapi_;
  Win32Widgets widgets_;
  Win32Advapi32Security advapi32Security_;
  Win32Advapi32Registry registry_;
  Win32Com com_;
  Win32Kernel32Library library_;
  Platform platform_;
};

}  // namespace lyn::win32
