#include "platform/sim/security/security_text.h"

#include <cstdio>
#include <stdexcept>

#include "platform/sim/security/accounts.h"

namespace lyn::sim {

namespace {

std::string Hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::uint32_t Number(std::string_view text, std::string_view part) {
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(std::string(text), &used, 0);
    if (used == text.size() && value <= 0xFFFFFFFFul) return static_cast<std::uint32_t>(value);
  } catch (const std::logic_error&) {
  }
  throw std::invalid_argument("'" + std::string(part) + "': '" + std::string(text) +
                              "' is not a number");
}

Sid AccountSid(const Profile& profile, std::string_view name, std::string_view part) {
  if (auto sid = SidOfAccountName(profile, name)) return *sid;
  throw std::invalid_argument("'" + std::string(part) + "': the machine has no account '" +
                              std::string(name) + "'");
}

Ace EntryOf(const Profile& profile, win::BYTE type, std::string_view value, std::string_view part) {
  const auto first = value.find(':');
  if (first == std::string_view::npos) {
    throw std::invalid_argument("'" + std::string(part) + "' expects ACCOUNT:MASK[:FLAGS]");
  }
  const std::string_view rest = value.substr(first + 1);
  const auto second = rest.find(':');
  Ace ace{type, 0, Number(rest.substr(0, second), part),
          AccountSid(profile, value.substr(0, first), part)};
  if (second != std::string_view::npos) {
    ace.flags = static_cast<win::BYTE>(Number(rest.substr(second + 1), part));
  }
  return ace;
}

}  // namespace

std::string DescriptorText(const Profile& profile, const Descriptor& descriptor) {
  std::string text;
  if (descriptor.owner) text += "owner " + AccountText(profile, *descriptor.owner) + "\n";
  if (descriptor.group) text += "group " + AccountText(profile, *descriptor.group) + "\n";
  if (!descriptor.dacl) return text + "no list: everyone may do everything\n";
  for (const Ace& ace : *descriptor.dacl) {
    text += ace.type == win::ACCESS_DENIED_ACE_TYPE ? "deny " : "allow ";
    text += AccountText(profile, ace.sid) + " " + Hex(ace.mask, 8) + " " + Hex(ace.flags, 2) + "\n";
  }
  return text;
}

void ApplyDescriptorText(const Profile& profile, std::string_view text, Descriptor& descriptor) {
  descriptor.dacl = Acl{};
  descriptor.daclProtected = true;
  while (!text.empty()) {
    const auto end = text.find(';');
    const std::string_view part = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const auto equals = part.find('=');
    if (equals == std::string_view::npos) {
      throw std::invalid_argument("'" + std::string(part) + "' expects NAME=VALUE");
    }
    const std::string_view name = part.substr(0, equals);
    const std::string_view value = part.substr(equals + 1);
    if (name == "owner") {
      descriptor.owner = AccountSid(profile, value, part);
    } else if (name == "group") {
      descriptor.group = AccountSid(profile, value, part);
    } else if (name == "allow" || name == "deny") {
      if (!descriptor.dacl) descriptor.dacl = Acl{};
      descriptor.dacl->push_back(EntryOf(
          profile, name == "deny" ? win::ACCESS_DENIED_ACE_TYPE : win::ACCESS_ALLOWED_ACE_TYPE,
          value, part));
    } else if (name == "list" && value == "null") {
      descriptor.dacl.reset();
    } else {
      throw std::invalid_argument("'" + std::string(part) +
                                  "' is not owner, group, allow, deny or list=null");
    }
  }
}

}  // namespace lyn::sim
