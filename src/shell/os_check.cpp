#include "shell/os_check.h"

#include "sysinfo/ansi_text.h"

namespace lyn {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string Spaces(int count) {
  return std::string(static_cast<std::size_t>(count), ' ');
}

std::string Head(const OperatingSystem::OSInfo& info, const std::string& nameSuffix) {
  return "The Installed Operating System is:- " + info.OSDescription + "." + kCrLf + kCrLf +
         "The program you are attempting to install has not been tested on " + info.OSName +
         nameSuffix + "." + kCrLf + kCrLf;
}

std::string Question() {
  return std::string(
             "You may continue if you wish, but no guarantees are given to the success "
             "of the installation") +
         kCrLf +
         "and performance of the software.  The risk may be minimal, but nevertheless "
         "any risk is " +
         kCrLf + "totally yours." + kCrLf + kCrLf + Spaces(45) + "Do you wish to continue?";
}

std::string Farewell() {
  return Spaces(35) + "This Installation will now terminate.";
}

int ShowBox(Platform& platform, win::HWND owner, const std::string& text, const std::string& title,
            win::UINT buttons) {
  return platform.user32.MessageBoxA(owner, ToAnsi(platform.kernel32, text).c_str(),
                                     ToAnsi(platform.kernel32, title).c_str(),
                                     buttons | win::MB_ICONSTOP);
}

}  // namespace

CheckOutcome ClassifySystem(const OperatingSystem::OSInfo& info, Boolean16 is64BitOS) {
  if (is64BitOS) return CheckOutcome::Untested64;
  switch (info.OSCode) {
    case 9:
    case 10:
    case 12:
    case 14:
      return CheckOutcome::None;
    case 7:
      return CheckOutcome::Untested;
    default:
      return CheckOutcome::Invalid;
  }
}

std::string CheckTitle(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::None:
      return "none";
    case CheckOutcome::Untested64:
    case CheckOutcome::Untested:
      return "Untested OS";
    case CheckOutcome::Invalid:
      break;
  }
  return "Invalid OS";
}

std::string OperatingSystemCheck(Platform& platform, win::HWND owner) {
  OperatingSystem::Info = OperatingSystem::GetOSInfo(platform);
  const OperatingSystem::OSInfo& info = OperatingSystem::Info;
  const CheckOutcome outcome = ClassifySystem(info, OperatingSystem::Is64BitOS);
  switch (outcome) {
    case CheckOutcome::None:
      break;
    case CheckOutcome::Untested64:
    case CheckOutcome::Untested: {
      const std::string head = Head(info, outcome == CheckOutcome::Untested64 ? " 64-Bit" : "");
      if (ShowBox(platform, owner, head + Question(), CheckTitle(outcome), win::MB_YESNO) !=
          win::IDYES) {
        platform.kernel32.ExitProcess(0);
      }
      break;
    }
    case CheckOutcome::Invalid:
      ShowBox(platform, owner, Head(info, "") + Farewell(), CheckTitle(outcome), win::MB_OK);
      platform.kernel32.ExitProcess(0);
  }
  return "Operating System:  " + info.OSDescription;
}

}  // namespace lyn
