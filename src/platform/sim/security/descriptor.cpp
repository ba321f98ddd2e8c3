#include "platform/sim/security/descriptor.h"

namespace lyn::sim {

namespace {

constexpr std::size_t kAclHeaderSize = 8;
constexpr std::size_t kAceHeaderSize = 8;

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetWord(const std::uint8_t* bytes, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

void Append(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& part) {
  bytes.insert(bytes.end(), part.begin(), part.end());
}

}  // namespace

std::vector<std::uint8_t> AclBytes(const Acl& acl) {
  std::vector<std::uint8_t> bytes(kAclHeaderSize, 0);
  bytes[0] = 2;
  for (const Ace& ace : acl) {
    const std::vector<std::uint8_t> sid = SidBytes(ace.sid);
    const std::size_t at = bytes.size();
    bytes.resize(at + kAceHeaderSize);
    bytes[at] = ace.type;
    bytes[at + 1] = ace.flags;
    PutWord(bytes, at + 2, static_cast<std::uint32_t>(kAceHeaderSize + sid.size()), 2);
    PutWord(bytes, at + 4, ace.mask, 4);
    Append(bytes, sid);
  }
  PutWord(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 2);
  PutWord(bytes, 4, static_cast<std::uint32_t>(acl.size()), 2);
  return bytes;
}

std::size_t AclSize(const std::uint8_t* bytes) {
  return bytes == nullptr ? 0 : GetWord(bytes + 2, 2);
}

std::optional<Acl> AclFromBytes(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < kAclHeaderSize || (bytes[0] != 2 && bytes[0] != 4)) {
    return std::nullopt;
  }
  const std::size_t total = GetWord(bytes + 2, 2);
  if (total < kAclHeaderSize || total > size) return std::nullopt;
  Acl acl;
  std::size_t at = kAclHeaderSize;
  for (std::uint32_t i = 0, count = GetWord(bytes + 4, 2); i < count; ++i) {
    if (at + kAceHeaderSize > total) return std::nullopt;
    const std::size_t aceSize = GetWord(bytes + at + 2, 2);
    if (aceSize < kAceHeaderSize || at + aceSize > total) return std::nullopt;
    Ace ace;
    ace.type = bytes[at];
    ace.flags = bytes[at + 1];
    ace.mask = GetWord(bytes + at + 4, 4);
    auto sid = SidFromBytes(bytes + at + kAceHeaderSize, aceSize - kAceHeaderSize);
    if (!sid ||
        (ace.type != win::ACCESS_ALLOWED_ACE_TYPE && ace.type != win::ACCESS_DENIED_ACE_TYPE)) {
      return std::nullopt;
    }
    ace.sid = std::move(*sid);
    acl.push_back(std::move(ace));
    at += aceSize;
  }
  return acl;
}

std::vector<std::uint8_t> DescriptorBytes(const Descriptor& descriptor,
                                          win::SECURITY_INFORMATION parts) {
  std::vector<std::uint8_t> bytes(kDescriptorHeaderSize, 0);
  bytes[0] = 1;
  win::WORD control = SE_SELF_RELATIVE;
  if (descriptor.owner && (parts & win::OWNER_SECURITY_INFORMATION) != 0) {
    PutWord(bytes, 4, static_cast<std::uint32_t>(bytes.size()), 4);
    Append(bytes, SidBytes(*descriptor.owner));
  }
  if (descriptor.group && (parts & win::GROUP_SECURITY_INFORMATION) != 0) {
    PutWord(bytes, 8, static_cast<std::uint32_t>(bytes.size()), 4);
    Append(bytes, SidBytes(*descriptor.group));
  }
  if ((parts & win::DACL_SECURITY_INFORMATION) != 0) {
    control |= SE_DACL_PRESENT;
    if (descriptor.daclProtected) control |= SE_DACL_PROTECTED;
    if (descriptor.dacl) {
      PutWord(bytes, 16, static_cast<std::uint32_t>(bytes.size()), 4);
      Append(bytes, AclBytes(*descriptor.dacl));
    }
  }
  PutWord(bytes, 2, control, 2);
  return bytes;
}

std::optional<DescriptorLayout> LayoutOf(const std::uint8_t* bytes) {
  if (bytes == nullptr || bytes[0] != 1 || (GetWord(bytes + 2, 2) & SE_SELF_RELATIVE) == 0) {
    return std::nullopt;
  }
  return DescriptorLayout{GetWord(bytes + 4, 4), GetWord(bytes + 8, 4), GetWord(bytes + 16, 4)};
}

std::optional<Descriptor> DescriptorFromBytes(const std::uint8_t* bytes, std::size_t size) {
  if (size < kDescriptorHeaderSize) return std::nullopt;
  const auto layout = LayoutOf(bytes);
  if (!layout) return std::nullopt;
  Descriptor descriptor;
  const win::WORD control = static_cast<win::WORD>(GetWord(bytes + 2, 2));
  descriptor.daclProtected = (control & SE_DACL_PROTECTED) != 0;
  const auto sidAt = [&](std::uint32_t offset) -> std::optional<Sid> {
    if (offset == 0 || offset >= size) return std::nullopt;
    return SidFromBytes(bytes + offset, size - offset);
  };
  descriptor.owner = sidAt(layout->owner);
  descriptor.group = sidAt(layout->group);
  if (layout->dacl != 0) {
    if (layout->dacl >= size) return std::nullopt;
    descriptor.dacl = AclFromBytes(bytes + layout->dacl, size - layout->dacl);
    if (!descriptor.dacl) return std::nullopt;
  }
  return descriptor;
}

}  // namespace lyn::sim
