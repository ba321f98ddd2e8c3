// Access lists and security descriptors of the emulated machine, and their
// published self-relative binary forms: an ACL is an 8-byte header (revision
// 2, size, entry count) followed by its entries (type, flags, size, access
// mask, identifier); a descriptor is a 20-byte header (revision 1, control,
// offsets of owner, group, system list and access list) followed by them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/api/advapi32_security.h"
#include "platform/sim/security/sid.h"

namespace lyn::sim {

struct Ace {
  win::BYTE type = win::ACCESS_ALLOWED_ACE_TYPE;
  win::BYTE flags = 0;
  win::ACCESS_MASK mask = 0;
  Sid sid;

  friend bool operator==(const Ace&, const Ace&) = default;
};

using Acl = std::vector<Ace>;

struct Descriptor {
  std::optional<Sid> owner;
  std::optional<Sid> group;
  // nullopt is a NULL list, which grants everyone everything.
  std::optional<Acl> dacl;
  // The list takes no entries from the parent.
  bool daclProtected = false;

  friend bool operator==(const Descriptor&, const Descriptor&) = default;
};

constexpr win::WORD SE_DACL_PRESENT = 0x0004;
constexpr win::WORD SE_DACL_PROTECTED = 0x1000;
constexpr win::WORD SE_SELF_RELATIVE = 0x8000;
constexpr std::size_t kDescriptorHeaderSize = 20;

std::vector<std::uint8_t> AclBytes(const Acl& acl);
// nullopt when the bytes are not a well-formed list of allow and deny entries.
std::optional<Acl> AclFromBytes(const std::uint8_t* bytes, std::size_t size);
// The size an ACL's header states, 0 when there is no header.
std::size_t AclSize(const std::uint8_t* bytes);

// The parts named by `parts` (owner, group, access list information bits).
std::vector<std::uint8_t> DescriptorBytes(const Descriptor& descriptor,
                                          win::SECURITY_INFORMATION parts);
std::optional<Descriptor> DescriptorFromBytes(const std::uint8_t* bytes, std::size_t size);

// Offsets of the parts inside a descriptor's bytes; 0 when absent.
struct DescriptorLayout {
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
  std::uint32_t dacl = 0;
};
// nullopt when the header is not that of a self-relative descriptor.
std::optional<DescriptorLayout> LayoutOf(const std::uint8_t* bytes);

}  // namespace lyn::sim
