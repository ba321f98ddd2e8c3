#include "security/file_owner.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sysinfo/ansi_text.h"

namespace lyn {

namespace {

constexpr win::SECURITY_INFORMATION kOwnerGroupDacl = win::OWNER_SECURITY_INFORMATION |
                                                      win::GROUP_SECURITY_INFORMATION |
                                                      win::DACL_SECURITY_INFORMATION;
constexpr win::GENERIC_MAPPING kFileMapping = {kReadAccess, kWriteAccess, kExecuteAccess,
                                               kAllAccess};
constexpr win::DWORD kPrivilegeSetLength = 32;
constexpr const char* kUnknownOwner = "{UNKNOWN}";

// A buffer's text before its NUL, from the ANSI code page.
std::string Text(Platform& platform, const std::vector<char>& buffer) {
  return FromAnsi(platform.kernel32,
                  std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0')));
}

// The result of a failed owner query: "{UNKNOWN}" when the owner has no
// account name, else empty.
std::string FailedLookup(Platform& platform) {
  return platform.kernel32.GetLastError() == win::ERROR_NONE_MAPPED ? kUnknownOwner : "";
}

// The root of the path's volume for the volume query: "X:\" for a path with
// a drive, "\\server\share\" for a network path, else empty (the current
// directory's volume).
std::string VolumeRoot(std::string_view path) {
  if (path.size() >= 3 && path.substr(1, 2) == ":\\") return std::string(path.substr(0, 3));
  if (path.substr(0, 2) == "\\\\") {
    const auto share = path.find('\\', 2);
    const auto end = share == std::string_view::npos ? share : path.find('\\', share + 1);
    return end == std::string_view::npos ? std::string(path) + "\\"
                                         : std::string(path.substr(0, end + 1));
  }
  return "";
}

}  // namespace

std::string GetFileOwner(Platform& platform, std::string_view path) {
  win::Advapi32Security& security = platform.advapi32Security;
  const std::string file = ToAnsi(platform.kernel32, path);
  std::string result;
  std::string name;
  std::string domain;
  [&] {
    win::DWORD needed = 0;
    if (!security.GetFileSecurityA(file.c_str(), win::OWNER_SECURITY_INFORMATION, nullptr, 0,
                                   &needed) &&
        platform.kernel32.GetLastError() != win::ERROR_INSUFFICIENT_BUFFER) {
      result = FailedLookup(platform);
      return;
    }
    std::vector<std::uint8_t> descriptor(needed);
    if (!security.GetFileSecurityA(file.c_str(), win::OWNER_SECURITY_INFORMATION, descriptor.data(),
                                   needed, &needed)) {
      return;
    }
    win::PSID owner = nullptr;
    win::BOOL defaulted = win::FALSE;
    if (!security.GetSecurityDescriptorOwner(descriptor.data(), &owner, &defaulted)) {
      result = FailedLookup(platform);
      return;
    }
    win::DWORD nameSize = 0;
    win::DWORD domainSize = 0;
    win::SID_NAME_USE use{};
    if (!security.LookupAccountSidA(nullptr, owner, nullptr, &nameSize, nullptr, &domainSize,
                                    &use) &&
        platform.kernel32.GetLastError() != win::ERROR_INSUFFICIENT_BUFFER) {
      result = FailedLookup(platform);
      return;
    }
    std::vector<char> nameBuffer(nameSize);
    std::vector<char> domainBuffer(domainSize);
    security.LookupAccountSidA(nullptr, owner, nameBuffer.data(), &nameSize, domainBuffer.data(),
                               &domainSize, &use);
    name = Text(platform, nameBuffer);
    domain = Text(platform, domainBuffer);
    result = name;
  }();
  OwnerName = name;
  OwnerDomain = domain;
  return result;
}

win::DWORD CheckAccess(Platform& platform, std::string_view path, win::DWORD desiredAccess) {
  if (NtfsVolume == kFalse16) return kNoAccessTest;

  const std::string root = ToAnsi(platform.kernel32, VolumeRoot(path));
  win::DWORD flags = 0;
  platform.kernel32.GetVolumeInformationA(root.empty() ? nullptr : root.c_str(), nullptr, 0,
                                          nullptr, nullptr, &flags, nullptr, 0);
  if ((flags & win::FILE_PERSISTENT_ACLS) == 0) return kNoAccessTest;

  win::Advapi32Security& security = platform.advapi32Security;
  const std::string file = ToAnsi(platform.kernel32, path);
  win::DWORD needed = 0;
  security.GetFileSecurityA(file.c_str(), kOwnerGroupDacl, nullptr, 0, &needed);
  if (platform.kernel32.GetLastError() != win::ERROR_INSUFFICIENT_BUFFER) return kNoAccessTest;
  if (needed == 0) return 0;
  std::vector<std::uint8_t> descriptor(needed);
  if (!security.GetFileSecurityA(file.c_str(), kOwnerGroupDacl, descriptor.data(), needed,
                                 &needed)) {
    return 0;
  }

  security.ImpersonateSelf(win::SecurityDelegation);
  win::HANDLE token = 0;
  if (!security.OpenThreadToken(platform.kernel32.GetCurrentThread(), win::TOKEN_QUERY, win::FALSE,
                                &token)) {
    security.RevertToSelf();
    return 0;
  }

  win::DWORD access = desiredAccess;
  security.MapGenericMask(&access, &kFileMapping);
  std::uint8_t privileges[kPrivilegeSetLength] = {};
  win::DWORD privilegesLength = kPrivilegeSetLength;
  win::DWORD granted = 0;
  win::BOOL status = win::FALSE;
  if (!security.AccessCheck(descriptor.data(), token, access, &kFileMapping,
                            reinterpret_cast<win::PRIVILEGE_SET*>(privileges), &privilegesLength,
                            &granted, &status)) {
    granted = 0;
  }
  platform.kernel32.CloseHandle(token);
  security.RevertToSelf();
  return granted;
}

bool RightsMissing(Platform& platform, std::string_view path) {
  ReadGranted = ToBoolean16(CheckAccess(platform, path, kReadAccess) == kReadAccess);
  WriteGranted = ToBoolean16(CheckAccess(platform, path, kWriteAccess) == kWriteAccess);
  ExecuteGranted = ToBoolean16(CheckAccess(platform, path, kExecuteAccess) == kExecuteAccess);
  AllGranted = ToBoolean16(CheckAccess(platform, path, kAllAccess) == kAllAccess);
  return !(ReadGranted && WriteGranted && ExecuteGranted && AllGranted);
}

}  // namespace lyn
