#include "platform/differential/security_sequence.h"

#include <cstdint>
#include <cstdio>

namespace lyn::differential {

namespace {

constexpr win::DWORD kSentinel = 0xDEADBEEF;
constexpr win::GENERIC_MAPPING kFiles = {0x00120089, 0x00120116, 0x001200A0, 0x001F01FF};

std::string Hex(win::DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// A built-in group's identifier in binary: S-1-5-32-rid.
std::vector<std::uint8_t> BuiltinSid(std::uint32_t rid) {
  std::vector<std::uint8_t> sid = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0, 0, 0, 0};
  sid[12] = static_cast<std::uint8_t>(rid);
  sid[13] = static_cast<std::uint8_t>(rid >> 8);
  return sid;
}

// An access list entry: type (0 allow, 1 deny), mask, identifier.
struct Entry {
  std::uint8_t type;
  win::DWORD mask;
  std::vector<std::uint8_t> sid;
};

std::vector<std::uint8_t> Acl(const std::vector<Entry>& entries) {
  std::vector<std::uint8_t> acl = {2, 0, 0, 0, static_cast<std::uint8_t>(entries.size()), 0, 0, 0};
  for (const Entry& entry : entries) {
    const std::size_t size = 8 + entry.sid.size();
    acl.insert(
        acl.end(),
        {entry.type, 0, static_cast<std::uint8_t>(size), 0, static_cast<std::uint8_t>(entry.mask),
         static_cast<std::uint8_t>(entry.mask >> 8), static_cast<std::uint8_t>(entry.mask >> 16),
         static_cast<std::uint8_t>(entry.mask >> 24)});
    acl.insert(acl.end(), entry.sid.begin(), entry.sid.end());
  }
  acl[2] = static_cast<std::uint8_t>(acl.size());
  return acl;
}

// A self-relative security descriptor with an owner, a group and a list.
std::vector<std::uint8_t> Descriptor(const std::vector<std::uint8_t>& owner,
                                     const std::vector<std::uint8_t>& group,
                                     const std::vector<Entry>& entries) {
  const std::vector<std::uint8_t> acl = Acl(entries);
  std::vector<std::uint8_t> descriptor = {1, 0, 0x04, 0x80};
  const auto offset = [&descriptor](std::size_t at) {
    for (int i = 0; i < 4; ++i) descriptor.push_back(static_cast<std::uint8_t>(at >> (8 * i)));
  };
  offset(20);
  offset(20 + owner.size());
  offset(0);
  offset(20 + owner.size() + group.size());
  descriptor.insert(descriptor.end(), owner.begin(), owner.end());
  descriptor.insert(descriptor.end(), group.begin(), group.end());
  descriptor.insert(descriptor.end(), acl.begin(), acl.end());
  return descriptor;
}

const std::vector<std::uint8_t> kSystem = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
const std::vector<std::uint8_t> kEveryone = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};

}  // namespace

std::vector<std::string> SecuritySequence(win::Advapi32Security& security, win::Kernel32& host,
                                          const std::string& folder) {
  std::vector<std::string> lines;
  // Each call meets the sentinel as the last error: it is set again once a
  // line is taken.
  const auto line = [&](const std::string& name, long result, const std::string& detail = "") {
    lines.push_back(name + ": " + std::to_string(result) + " " + Hex(host.GetLastError()) +
                    (detail.empty() ? "" : " " + detail));
    host.SetLastError(kSentinel);
  };
  // For the calls that return an error code instead of setting the last error.
  const auto code = [&](const std::string& name, win::DWORD error, const std::string& detail) {
    lines.push_back(name + ": " + std::to_string(error) + (detail.empty() ? "" : " " + detail));
  };
  const std::string probe = folder + "\\probe.txt";
  const std::string missing = folder + "\\missing.txt";
  win::DWORD needed = 0;

  host.SetLastError(kSentinel);
  line("GetFileSecurityA missing file",
       security.GetFileSecurityA(missing.c_str(), 1, nullptr, 0, &needed));
  line("GetFileSecurityA size query",
       security.GetFileSecurityA(probe.c_str(), 7, nullptr, 0, &needed));
  std::vector<std::uint8_t> descriptor(needed);
  line("GetFileSecurityA fetch",
       security.GetFileSecurityA(probe.c_str(), 7, descriptor.data(), needed, &needed));

  win::PSID owner = nullptr;
  win::BOOL defaulted = win::TRUE;
  const win::BOOL gotOwner =
      security.GetSecurityDescriptorOwner(descriptor.data(), &owner, &defaulted);
  line("GetSecurityDescriptorOwner", gotOwner, owner != nullptr ? "owner" : "no owner");
  win::DWORD nameSize = 0;
  win::DWORD domainSize = 0;
  win::SID_NAME_USE use{};
  line("LookupAccountSidA owner size query",
       security.LookupAccountSidA(nullptr, owner, nullptr, &nameSize, nullptr, &domainSize, &use));

  const win::SID_IDENTIFIER_AUTHORITY nt = {{0, 0, 0, 0, 0, 5}};
  win::PSID users = nullptr;
  line("AllocateAndInitializeSid Users",
       security.AllocateAndInitializeSid(&nt, 2, 32, 545, 0, 0, 0, 0, 0, 0, &users));
  nameSize = domainSize = 0;
  const win::BOOL sized =
      security.LookupAccountSidA(nullptr, users, nullptr, &nameSize, nullptr, &domainSize, &use);
  line("LookupAccountSidA Users size query", sized,
       std::to_string(nameSize) + " " + std::to_string(domainSize));
  char name[64] = {};
  char domain[64] = {};
  nameSize = domainSize = 64;
  const win::BOOL found =
      security.LookupAccountSidA(nullptr, users, name, &nameSize, domain, &domainSize, &use);
  line("LookupAccountSidA Users", found, std::string(domain) + "\\" + name);
  line("LookupAccountSidA Users lengths", found,
       std::to_string(nameSize) + " " + std::to_string(domainSize));
  security.FreeSid(users);

  std::vector<std::uint8_t> unmapped = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0,    7, 0,
                                        0, 0, 7, 0, 0, 0, 7, 0, 0,  0, 0xD2, 0x04, 0, 0};
  nameSize = domainSize = 64;
  line("LookupAccountSidA unmapped",
       security.LookupAccountSidA(nullptr, unmapped.data(), name, &nameSize, domain, &domainSize,
                                  &use));

  win::HANDLE token = 0;
  line("OpenThreadToken without impersonation",
       security.OpenThreadToken(host.GetCurrentThread(), win::TOKEN_QUERY, win::FALSE, &token));
  line("ImpersonateSelf", security.ImpersonateSelf(win::SecurityDelegation));
  line("OpenThreadToken",
       security.OpenThreadToken(host.GetCurrentThread(), win::TOKEN_QUERY, win::FALSE, &token));

  std::uint8_t privileges[32] = {};
  win::DWORD privilegesLength = sizeof privileges;
  win::DWORD granted = 0;
  win::BOOL status = win::FALSE;
  const auto check = [&](const char* what, void* sd, win::DWORD desired) {
    granted = 0;
    status = win::FALSE;
    const win::BOOL checked = security.AccessCheck(
        sd, token, desired, &kFiles, reinterpret_cast<win::PRIVILEGE_SET*>(privileges),
        &privilegesLength, &granted, &status);
    line(what, checked, Hex(granted) + " " + std::to_string(status));
  };
  check("AccessCheck generic rights", descriptor.data(), win::GENERIC_READ);
  check("AccessCheck read", descriptor.data(), 0x00120089);
  std::vector<std::uint8_t> ownerless = {1, 0, 0x04, 0x80, 0, 0, 0, 0, 0, 0,
                                         0, 0, 0,    0,    0, 0, 0, 0, 0, 0};
  check("AccessCheck without owner", ownerless.data(), 0x00120089);
  // What the process's own token does with the Administrators group: an
  // entry allowing it, one denying it, and ownership through it.
  const std::vector<std::uint8_t> administrators = BuiltinSid(544);
  std::vector<std::uint8_t> allowed =
      Descriptor(kSystem, kSystem, {{0, 0x00120089, administrators}});
  check("AccessCheck Administrators allowed", allowed.data(), 0x00120089);
  std::vector<std::uint8_t> denied =
      Descriptor(kSystem, kSystem, {{1, 0x00120089, administrators}, {0, 0x00120089, kEveryone}});
  check("AccessCheck Administrators denied", denied.data(), 0x00120089);
  std::vector<std::uint8_t> owned = Descriptor(administrators, kSystem, {});
  check("AccessCheck owned by Administrators", owned.data(), 0x00060000);
  line("RevertToSelf", security.RevertToSelf());

  char nobody[] = "Nobody Of That Name";
  char usersName[] = "Users";
  win::EXPLICIT_ACCESS_A access{};
  win::PACL updated = nullptr;
  security.BuildExplicitAccessWithNameA(&access, nobody, 0x101F0000, win::SET_ACCESS, 3);
  code("SetEntriesInAclA unknown trustee", security.SetEntriesInAclA(1, &access, nullptr, &updated),
       "");
  const std::vector<std::uint8_t> users545 = BuiltinSid(545);
  std::vector<std::uint8_t> old = Acl({{1, 0x00120116, users545}, {0, 0x00120116, users545}});
  security.BuildExplicitAccessWithNameA(&access, usersName, 0x101F0000, win::SET_ACCESS, 3);
  const win::DWORD merged = security.SetEntriesInAclA(1, &access, old.data(), &updated);
  code("SetEntriesInAclA SET_ACCESS over deny and allow", merged,
       merged == 0 ? std::to_string(static_cast<std::uint8_t*>(updated)[4]) + " entries" : "");
  if (merged == 0) host.LocalFree(updated);

  win::PACL dacl = nullptr;
  win::PSECURITY_DESCRIPTOR key = nullptr;
  const win::DWORD keyRead = security.GetNamedSecurityInfoA(
      "MACHINE\\SOFTWARE", win::SE_REGISTRY_KEY, win::DACL_SECURITY_INFORMATION, nullptr, nullptr,
      &dacl, nullptr, &key);
  code("GetNamedSecurityInfoA SOFTWARE key", keyRead, dacl != nullptr ? "list" : "no list");
  if (keyRead == 0) host.LocalFree(key);
  return lines;
}

}  // namespace lyn::differential
