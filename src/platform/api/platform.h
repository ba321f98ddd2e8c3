// The one object through which the program reaches the platform.
#pragma once

#include "platform/api/advapi32_registry.h"
#include "platform/api/advapi32_security.h"
#include "platform/api/com.h"
#include "platform/api/kernel32.h"
#include "platform/api/kernel32_library.h"
#include "platform/api/setupapi.h"
#include "platform/api/shell32.h"
#include "platform/api/user32.h"
#include "platform/api/version.h"
#include "platform/api/widgets.h"

namespace lyn {

struct Platform {
  win::Kernel32& kernel32;
  win::User32& user32;
  win::Version& version;
  win::Shell32& shell32;
  win::SetupApi& setupapi;
  ui::Widgets& widgets;
  win::Advapi32Security& advapi32Security;
  win::Advapi32Registry& registry;
  win::Com& com;
  win::Kernel32Library& library;
};

}  // namespace lyn
