#include "shell/can_replace_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/install_log.h"
#include "fakes/machine_platform.h"
#include "platform/sim/security/accounts.h"
#include "shell/frm_setup.h"

namespace lyn {
namespace {

using sim::ObjectKind;

constexpr const char* kInstallLog = "C:\\Program Files\\LYN\\InstallInfo.log";
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

// A standard user on Windows 7 with a FAT32 stick as drive D:, security
// enabled and the logs open.
sim::Profile StandardUser() {
  sim::Profile profile;
  profile.IsAdmin = false;
  profile.drives['D'] = sim::DriveVolume{"FAT32", "STICK", 1};
  return profile;
}

class CanReplaceFileTable : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.MakeFolder("C:\\Program Files\\LYN");
    machine.PutFile(kSystemFile, "MZ");
    state.WindowsFolder = "C:\\Windows";
    state.ProgramFolder = "C:\\Program Files\\LYN";
    state.UninstallLogName = "UnInstallLYN.log";
    state.InstallLogName = "InstallInfo.log";
    OpenInstallLogs(machine.platform(), state);
    NtfsVolume = kTrue16;
    SecurityEnabled = kTrue16;
  }
  void TearDown() override {
    NtfsVolume = kFalse16;
    SecurityEnabled = kFalse16;
  }

  // The answer for `path` and what it wrote to the install-information log.
  std::pair<bool, std::string> Decide(Platform& platform, const char* path) {
    const bool answer = CanReplaceFile(platform, path);
    CloseInstallLogs(platform);
    return {answer, machine.ReadFile(kInstallLog)};
  }
  std::pair<bool, std::string> Decide(const char* path) { return Decide(machine.platform(), path); }

  // A platform on the same machine whose owners are looked up as `name` of
  // `domain`.
  std::pair<bool, std::string> DecideWithOwner(const char* path, const char* name,
                                               const char* domain) {
    RenamedOwners security(machine, name, domain);
    Platform& p = machine.platform();
    Platform renamed{p.kernel32, p.user32, p.version,  p.shell32, p.setupapi,
                     p.widgets,  security, p.registry, p.com,     p.library};
    return Decide(renamed, path);
  }

  fakes::MachinePlatform machine{StandardUser()};
  SetupState state;
};

TEST_F(CanReplaceFileTable, AbsentFileIsAFirstTimeInstall) {
  SecurityEnabled = kFalse16;
  EXPECT_EQ(Decide("C:\\Windows\\system32\\absent.dll"),
            std::make_pair(true, std::string("First Time Install\r\n")));
}

TEST_F(CanReplaceFileTable, WithoutSecurityEveryPresentFileMayBeReplaced) {
  SecurityEnabled = kFalse16;
  EXPECT_EQ(Decide(kSystemFile),
            std::make_pair(true, std::string("Security is not available or not enabled.\r\n")));
}

TEST_F(CanReplaceFileTable, WritableFileIsReplacedWhoeverOwnsIt) {
  machine.PutFile("C:\\Users\\Owner\\AppData\\Local\\Temp\\own.dll", "MZ");
  EXPECT_EQ(Decide("C:\\Users\\Owner\\AppData\\Local\\Temp\\own.dll"),
            std::make_pair(true, std::string("Write Permission Granted.\r\n")));
}

TEST_F(CanReplaceFileTable, SystemFileOfTrustedInstallerIsLeftAlone) {
  EXPECT_EQ(Decide(kSystemFile),
            std::make_pair(false, std::string(kSystemFile) +
                                      "\r\nThe Owner is TrustedInstaller.  Ownership is Elevated "
                                      "Above Administrator.\r\nFailed\r\n"));
}

TEST_F(CanReplaceFileTable, AnyOtherServiceAccountIsRefusedByItsDomain) {
  const std::string refused = std::string(kSystemFile) +
                              "\r\nThe Owner-Domain is NT SERVICE.  Ownership is Elevated Above "
                              "Administrator.\r\nFailed\r\n";
  EXPECT_EQ(DecideWithOwner(kSystemFile, "WinDefend", "NT SERVICE"),
            std::make_pair(false, refused));
}

TEST_F(CanReplaceFileTable, LowerCaseTrustedInstallerIsRefusedOnlyByItsDomain) {
  const std::string refused = std::string(kSystemFile) +
                              "\r\nThe Owner-Domain is NT SERVICE.  Ownership is Elevated Above "
                              "Administrator.\r\nFailed\r\n";
  EXPECT_EQ(DecideWithOwner(kSystemFile, "trustedinstaller", "NT SERVICE"),
            std::make_pair(false, refused));
}

TEST_F(CanReplaceFileTable, OwnerWithoutAccountNameDoesNotRefuse) {
  const auto& model = machine.sim().advapi32Security().model();
  const sim::SecuredObject file = model.Find(ObjectKind::File, kSystemFile);
  sim::Descriptor descriptor = model.DescriptorOf(file);
  descriptor.owner = *sim::SidFromText("S-1-5-21-7-7-7-1234");
  model.SetDescriptor(file, descriptor);
  EXPECT_EQ(Decide(kSystemFile), std::make_pair(true, std::string("Permission Granted.\r\n")));
}

TEST_F(CanReplaceFileTable, OnAVolumeWithoutListsTheOwnerDecides) {
  machine.PutFile("D:\\lib.dll", "MZ");
  EXPECT_EQ(Decide("D:\\lib.dll"), std::make_pair(true, std::string("Permission Granted.\r\n")));
}

}  // namespace
}  // namespace lyn
