#include "shell/can_replace_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "common/module_state.h"
#include "engine/install_log.h"
#include "fakes/machine_platform.h"
#include "platform/sim/security/accounts.h"

namespace lyn {
namespace {

using sim::ObjectKind;

// In the user's own profile, which a standard user may write.
constexpr const char* kProgramFolder = "C:\\Users\\Owner\\LYN";
constexpr const char* kInstallLog = "C:\\Users\\Owner\\LYN\\InstallInfo.log";
constexpr const char* kSystemFile = "C:\\Windows\\system32\\catsys.dll";

// The machine's security, except that every owner is looked up as the given
// account: for owner names no machine of ours maps.
class RenamedOwners : public sim::SimAdvapi32Security {
 public:
  RenamedOwners(fakes::MachinePlatform& machine, std::string name, std::string domain)
      : SimAdvapi32Security(machine.machine(),
                            dynamic_cast<sim::SimKernel32&>(machine.platform().kernel32)),
        kernel32_(dynamic_cast<sim::SimKernel32&>(machine.platform().kernel32)),
        name_(std::move(name)),
        domain_(std::move(domain)) {}

  win::BOOL LookupAccountSidA(win::LPCSTR, win::PSID, win::LPSTR name, win::DWORD* nameSize,
                              win::LPSTR domain, win::DWORD* domainSize,
                              win::SID_NAME_USE*) override {
    if (*nameSize <= name_.size() || *domainSize <= domain_.size()) {
      *nameSize = static_cast<win::DWORD>(name_.size() + 1);
      *domainSize = static_cast<win::DWORD>(domain_.size() + 1);
      kernel32_.SetLastError(win::ERROR_INSUFFICIENT_BUFFER);
      return win::FALSE;
    }
    std::memcpy(name, name_.c_str(), name_.size() + 1);
    std::memcpy(domain, domain_.c_str(), domain_.size() + 1);
    return win::TRUE;
  }

 private:
  sim::SimKernel32& kernel32_;
  std::string name_;
  std::string domain_;
};

// Windows 7 with a FAT32 stick as drive D:; the program runs elevated.
sim::Profile WithStick() {
  sim::Profile profile;
  profile.drives['D'] = sim::DriveVolume{"FAT32", "STICK", 1};
  return profile;
}

constexpr const char* kElevated = ".  Ownership is Elevated Above Administrator.\r\nFailed\r\n";

// Each row is decided in turn; the install-information log gets the rows'
// lines in the same order.
TEST(CanReplaceFileTest, EachDecisionWritesItsReason) {
  fakes::MachinePlatform machine(WithStick());
  SetupState state;
  state.WindowsFolder = "C:\\Windows";
  state.ProgramFolder = kProgramFolder;
  state.UninstallLogName = "UnInstallLYN.log";
  state.InstallLogName = "InstallInfo.log";
  machine.MakeFolder(state.ProgramFolder);
  OpenInstallLogs(machine.platform(), state);
  NtfsVolume = kTrue16;
  SecurityEnabled = kTrue16;
  const std::string own = "C:\\Users\\Owner\\AppData\\Local\\Temp\\own.dll";
  const std::string unmapped = "C:\\Windows\\system32\\unmapped.dll";
  for (const std::string& file :
       {own, std::string(kSystemFile), unmapped, std::string("D:\\lib.dll")}) {
    machine.PutFile(file, "MZ");
  }
  const auto& model = machine.sim().advapi32Security().model();
  const sim::SecuredObject file = model.Find(ObjectKind::File, unmapped);
  sim::Descriptor descriptor = model.DescriptorOf(file);
  descriptor.owner = *sim::SidFromText("S-1-5-21-7-7-7-1234");
  model.SetDescriptor(file, descriptor);

  const struct {
    std::string path;
    const char* ownerName;  // null: owners as the machine names them
    const char* ownerDomain;
    bool answer;
    std::string log;
  } rows[] = {
      {"C:\\Windows\\system32\\absent.dll", nullptr, nullptr, true, "First Time Install\r\n"},
      {own, nullptr, nullptr, true, "Write Permission Granted.\r\n"},
      {kSystemFile, nullptr, nullptr, false,
       std::string(kSystemFile) + "\r\nThe Owner is TrustedInstaller" + kElevated},
      // Any other service account is refused by its domain, and so is a
      // TrustedInstaller in other letter case.
      {kSystemFile, "WinDefend", "NT SERVICE", false,
       std::string(kSystemFile) + "\r\nThe Owner-Domain is NT SERVICE" + kElevated},
      {kSystemFile, "trustedinstaller", "NT SERVICE", false,
       std::string(kSystemFile) + "\r\nThe Owner-Domain is NT SERVICE" + kElevated},
      {unmapped, nullptr, nullptr, true, "Permission Granted.\r\n"},
      // On a volume without lists the owner decides.
      {"D:\\lib.dll", nullptr, nullptr, true, "Permission Granted.\r\n"},
  };
  std::string log;
  for (const auto& row : rows) {
    Platform& p = machine.platform();
    std::optional<RenamedOwners> renamed;
    if (row.ownerName != nullptr) renamed.emplace(machine, row.ownerName, row.ownerDomain);
    win::Advapi32Security& security = renamed ? *renamed : p.advapi32Security;
    Platform platform{p.kernel32, p.user32, p.version,  p.shell32, p.setupapi,
                      p.widgets,  security, p.registry, p.com,     p.library};
    EXPECT_EQ(CanReplaceFile(platform, row.path), row.answer) << row.path;
    log += row.log;
  }
  SecurityEnabled = kFalse16;
  EXPECT_TRUE(CanReplaceFile(machine.platform(), kSystemFile)) << "without security";
  log += "Security is not available or not enabled.\r\n";
  CloseInstallLogs(machine.platform());
  EXPECT_EQ(machine.ReadFile(kInstallLog), log);
}

}  // namespace
}  // namespace lyn
