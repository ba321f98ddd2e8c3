// Facts of the emulated advapi32 security calls that the security
// differential test does not compare with Windows, each a call with its result
// and last error, the last error seeded with a sentinel first.
#include "platform/sim/advapi32_security_sim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "fakes/machine_platform.h"
#include "platform/sim/security/accounts.h"

namespace lyn::sim {
namespace {

using namespace lyn::win;

constexpr DWORD kSentinel = 0xDEADBEEF;
constexpr GENERIC_MAPPING kFiles = {0x00120089, 0x00120116, 0x001200A0, 0x001F01FF};
constexpr DWORD kWrite = 0x00120116;
constexpr DWORD kRead = 0x00120089;

class SecurityCalls : public ::testing::Test {
 protected:
  SimAdvapi32Security& security() { return machine.sim().advapi32Security(); }
  SimKernel32& kernel32() { return dynamic_cast<SimKernel32&>(machine.platform().kernel32); }

  // The descriptor's bytes, read past its list (which may refuse reading).
  std::vector<std::uint8_t> DescriptorOf(const char* path) {
    const auto& model = security().model();
    return DescriptorBytes(model.DescriptorOf(model.Find(ObjectKind::File, path)), 7);
  }
  // AccessCheck of the user on `descriptor`; its result, granted mask and
  // last error.
  struct Check {
    BOOL result;
    DWORD granted;
    DWORD error;
  };
  Check AccessOf(void* descriptor, DWORD desired, bool impersonate = true) {
    HANDLE token = 0;
    if (impersonate) {
      security().ImpersonateSelf(SecurityImpersonation);
      EXPECT_TRUE(
          security().OpenThreadToken(kernel32().GetCurrentThread(), TOKEN_QUERY, FALSE, &token));
    }
    std::uint8_t privileges[32] = {};
    DWORD length = sizeof privileges;
    DWORD granted = kSentinel;
    BOOL status = FALSE;
    kernel32().SetLastError(kSentinel);
    const BOOL result = security().AccessCheck(
        descriptor, impersonate ? token : 0x7004, desired, &kFiles,
        reinterpret_cast<PRIVILEGE_SET*>(privileges), &length, &granted, &status);
    const DWORD error = kernel32().GetLastError();
    security().RevertToSelf();
    return {result, result ? granted : 0, error};
  }

  fakes::MachinePlatform machine;
};

TEST_F(SecurityCalls, AccessCheckAppliesEntriesInOrder) {
  machine.PutFile("C:\\Data\\f.txt", "x");
  // Only the write bits: read and write share SYNCHRONIZE and READ_CONTROL.
  const Ace denyWrite{ACCESS_DENIED_ACE_TYPE, 0, 0x116, UsersSid()};
  const Ace allowAll{ACCESS_ALLOWED_ACE_TYPE, 0, FILE_ALL_ACCESS, EveryoneSid()};
  const Ace inheritOnly{ACCESS_ALLOWED_ACE_TYPE, OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE,
                        FILE_ALL_ACCESS, EveryoneSid()};
  const struct {
    Acl dacl;
    DWORD desired, granted;
  } rows[] = {
      {Acl{denyWrite, allowAll}, kWrite, 0},
      {Acl{denyWrite, allowAll}, kRead, kRead},
      {Acl{allowAll, denyWrite}, kWrite, kWrite},
      {Acl{inheritOnly}, kRead, 0},
      {Acl{}, kRead, 0},
  };
  for (const auto& row : rows) {
    security().model().SetDescriptor(security().model().Find(ObjectKind::File, "C:\\Data\\f.txt"),
                                     Descriptor{SystemSid(), SystemSid(), row.dacl, true});
    std::vector<std::uint8_t> descriptor = DescriptorOf("C:\\Data\\f.txt");
    const Check check = AccessOf(descriptor.data(), row.desired);
    EXPECT_EQ(check.granted, row.granted) << row.desired;
    if (row.granted == 0) {
      EXPECT_EQ(check.error, ERROR_ACCESS_DENIED) << row.desired;
    }
  }

  // The other refusals are compared with Windows' by the security differential
  // test, which checks only while impersonating.
  std::vector<std::uint8_t> descriptor = DescriptorOf("C:\\Data\\f.txt");
  const Check notImpersonating = AccessOf(descriptor.data(), kRead, false);
  EXPECT_EQ(std::make_pair(notImpersonating.result, notImpersonating.error),
            std::make_pair(FALSE, ERROR_NO_IMPERSONATION_TOKEN));
}

TEST_F(SecurityCalls, SetAccessDropsTheTrusteesAllowAndDenyEntries) {
  const Acl old = {Ace{ACCESS_DENIED_ACE_TYPE, 0, kWrite, UsersSid()},
                   Ace{ACCESS_ALLOWED_ACE_TYPE, 0, kRead, UsersSid()},
                   Ace{ACCESS_ALLOWED_ACE_TYPE, 0, kRead, EveryoneSid()},
                   Ace{ACCESS_ALLOWED_ACE_TYPE, INHERITED_ACE, kRead, UsersSid()}};
  std::vector<std::uint8_t> oldBytes = AclBytes(old);
  char trustee[] = "BUILTIN\\Users";
  EXPLICIT_ACCESS_A entry{};
  security().BuildExplicitAccessWithNameA(&entry, trustee, 0x101F0000, SET_ACCESS, 3);
  PACL updated = nullptr;
  ASSERT_EQ(security().SetEntriesInAclA(1, &entry, oldBytes.data(), &updated), ERROR_SUCCESS);
  const auto acl = AclFromBytes(static_cast<std::uint8_t*>(updated),
                                AclSize(static_cast<std::uint8_t*>(updated)));
  kernel32().LocalFree(updated);
  EXPECT_EQ(acl, (Acl{old[2], Ace{ACCESS_ALLOWED_ACE_TYPE, 3, 0x101F0000, UsersSid()}, old[3]}));
}

TEST_F(SecurityCalls, VolumesWithoutPersistentListsHaveNoOwnerAndNoList) {
  Profile profile;
  profile.drives['D'] = DriveVolume{"FAT32", "STICK", 1};
  fakes::MachinePlatform stick(profile);
  stick.PutFile("D:\\f.txt", "x");
  auto& security = stick.sim().advapi32Security();
  const SecuredObject file = security.model().Find(ObjectKind::File, "D:\\f.txt");
  EXPECT_EQ(security.model().DescriptorOf(file), Descriptor{});
  EXPECT_EQ(security.model().UserAccess(file, FILE_ALL_ACCESS), FILE_ALL_ACCESS);
  char name[] = "D:\\f.txt";
  EXPECT_EQ(security.SetNamedSecurityInfoA(name, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                           nullptr, AclBytes({}).data(), nullptr),
            ERROR_NOT_SUPPORTED);
}

}  // namespace
}  // namespace lyn::sim
