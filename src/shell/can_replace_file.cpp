#include "shell/can_replace_file.h"

#include <string>

#include "engine/install_log.h"
#include "security/file_owner.h"
#include "shell/frm_setup.h"
#include "sysinfo/file_presence.h"

namespace lyn {

bool CanReplaceFile(Platform& platform, std::string_view path) {
  const auto log = [&](std::string_view header, const std::string& item, std::string_view outcome) {
    WriteLog(platform, true, header, item, outcome);
  };
  if (!FileExists(platform, path)) {
    log("", "First Time Install", "");
    return true;
  }
  if (SecurityEnabled == kFalse16) {
    log("", "Security is not available or not enabled.", "");
    return true;
  }
  GetFileOwner(platform, path);
  RightsMissing(platform, path);  // sets the four granted flags
  if (WriteGranted || AllGranted) {
    log("", "Write Permission Granted.", "");
    return true;
  }
  if (OwnerName == "TrustedInstaller") {
    log(path, "The Owner is " + OwnerName + ".  Ownership is Elevated Above Administrator.",
        "Failed");
    return false;
  }
  if (OwnerDomain == "NT SERVICE") {
    log(path,
        "The Owner-Domain is " + OwnerDomain + ".  Ownership is Elevated Above Administrator.",
        "Failed");
    return false;
  }
  log("", "Permission Granted.", "");
  return true;
}

}  // namespace lyn
