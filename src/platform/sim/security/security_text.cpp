#include "platform/sim/security/security_text.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <stdexcept>

#include "platform/sim/security/accounts.h"

namespace lyn::sim {

namespace {

struct Named {
  const char* name;
  std::uint32_t value;
};

// The account aliases of SDDL, by identifier text.
struct AccountAlias {
  const char* alias;
  const char* sid;
};
constexpr AccountAlias kAccountAliases[] = {
    {"WD", "S-1-1-0"},      {"CO", "S-1-3-0"},      {"CG", "S-1-3-1"},      {"NU", "S-1-5-2"},
    {"IU", "S-1-5-4"},      {"SU", "S-1-5-6"},      {"AN", "S-1-5-7"},      {"ED", "S-1-5-9"},
    {"PS", "S-1-5-10"},     {"AU", "S-1-5-11"},     {"RC", "S-1-5-12"},     {"SY", "S-1-5-18"},
    {"LS", "S-1-5-19"},     {"NS", "S-1-5-20"},     {"BA", "S-1-5-32-544"}, {"BU", "S-1-5-32-545"},
    {"BG", "S-1-5-32-546"}, {"PU", "S-1-5-32-547"}, {"AO", "S-1-5-32-548"}, {"SO", "S-1-5-32-549"},
    {"PO", "S-1-5-32-550"}, {"BO", "S-1-5-32-551"}, {"RE", "S-1-5-32-552"}, {"RU", "S-1-5-32-554"},
    {"RD", "S-1-5-32-555"}, {"NO", "S-1-5-32-556"}, {"AC", "S-1-15-2-1"},
};

// Rights that SDDL names as a whole, tried first when writing.
constexpr Named kCombinedRights[] = {
    {"FA", 0x001F01FF}, {"FR", 0x00120089}, {"FW", 0x00120116}, {"FX", 0x001200A0},
    {"KA", 0x000F003F}, {"KR", 0x00020019}, {"KW", 0x00020006}, {"KX", 0x00020019},
};
// Rights that SDDL names bit by bit.
constexpr Named kSingleRights[] = {
    {"GA", 0x10000000}, {"GR", 0x80000000}, {"GW", 0x40000000}, {"GX", 0x20000000},
    {"RC", 0x00020000}, {"SD", 0x00010000}, {"WD", 0x00040000}, {"WO", 0x00080000},
    {"RP", 0x00000010}, {"WP", 0x00000020}, {"CC", 0x00000001}, {"DC", 0x00000002},
    {"LC", 0x00000004}, {"SW", 0x00000008}, {"LO", 0x00000080}, {"DT", 0x00000040},
    {"CR", 0x00000100},
};
constexpr Named kAceFlags[] = {
    {"OI", win::OBJECT_INHERIT_ACE},
    {"CI", win::CONTAINER_INHERIT_ACE},
    {"NP", win::NO_PROPAGATE_INHERIT_ACE},
    {"IO", win::INHERIT_ONLY_ACE},
    {"ID", win::INHERITED_ACE},
};

// The listing's simple rights, and its specific ones in the order it prints
// them.
constexpr Named kSimpleFileRights[] = {
    {"F", 0x001F01FF}, {"M", 0x001301BF}, {"RX", 0x001200A9},
    {"R", 0x00120089}, {"W", 0x00100116}, {"F", 0x10000000},
};
constexpr Named kSimpleKeyRights[] = {
    {"F", 0x000F003F}, {"R", 0x00020019}, {"W", 0x00020006}, {"F", 0x10000000}};
constexpr Named kSpecificRights[] = {
    {"D", 0x00010000},  {"RC", 0x00020000}, {"WDAC", 0x00040000}, {"WO", 0x00080000},
    {"S", 0x00100000},  {"AS", 0x01000000}, {"MA", 0x02000000},   {"GR", 0x80000000},
    {"GW", 0x40000000}, {"GE", 0x20000000}, {"GA", 0x10000000},   {"RD", 0x00000001},
    {"WD", 0x00000002}, {"AD", 0x00000004}, {"REA", 0x00000008},  {"WEA", 0x00000010},
    {"X", 0x00000020},  {"DC", 0x00000040}, {"RA", 0x00000080},   {"WA", 0x00000100},
};
// The bits a key's specific rights use, which the file names above do not
// describe.
constexpr std::uint32_t kSpecificBits = 0x0000FFFF;

const Named* Find(std::span<const Named> table, std::string_view name) {
  for (const Named& named : table) {
    if (name == named.name) return &named;
  }
  return nullptr;
}

std::string HexNumber(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

[[noreturn]] void Bad(std::string_view part, const std::string& why) {
  throw std::invalid_argument("'" + std::string(part.substr(0, 60)) + "': " + why);
}

std::string AccountSddl(const Sid& sid) {
  const std::string text = SidText(sid);
  for (const AccountAlias& alias : kAccountAliases) {
    if (text == alias.sid) return alias.alias;
  }
  return text;
}

Sid AccountOf(std::string_view text, std::string_view part) {
  for (const AccountAlias& alias : kAccountAliases) {
    if (text == alias.alias) return *SidFromText(alias.sid);
  }
  if (const auto sid = SidFromText(text)) return *sid;
  Bad(part, "'" + std::string(text) + "' is neither an account alias nor an S-1-... identifier");
}

std::string RightsSddl(std::uint32_t mask) {
  for (const Named& right : kCombinedRights) {
    if (mask == right.value) return right.name;
  }
  std::string names;
  std::uint32_t covered = 0;
  for (const Named& right : kSingleRights) {
    if ((mask & right.value) != 0) {
      names += right.name;
      covered |= right.value;
    }
  }
  return covered == mask && mask != 0 ? names : HexNumber(mask);
}

std::uint32_t RightsOf(std::string_view text, std::string_view part) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    try {
      std::size_t used = 0;
      const unsigned long value = std::stoul(std::string(text), &used, 16);
      if (used == text.size() && value <= 0xFFFFFFFFul) return static_cast<std::uint32_t>(value);
    } catch (const std::logic_error&) {
    }
    Bad(part, "'" + std::string(text) + "' is not a 32-bit number");
  }
  std::uint32_t mask = 0;
  for (std::size_t at = 0; at < text.size(); at += 2) {
    const std::string_view name = text.substr(at, 2);
    const Named* right = Find(kCombinedRights, name);
    if (right == nullptr) right = Find(kSingleRights, name);
    if (right == nullptr) Bad(part, "'" + std::string(name) + "' is not a right");
    mask |= right->value;
  }
  if (mask == 0) Bad(part, "the entry grants no rights");
  return mask;
}

Ace AceOf(std::string_view text, std::string_view part) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const auto end = text.find(';', start);
    fields.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (fields.size() != 6) Bad(part, "an entry has six fields separated by ';'");
  Ace ace;
  if (fields[0] == "A") {
    ace.type = win::ACCESS_ALLOWED_ACE_TYPE;
  } else if (fields[0] == "D") {
    ace.type = win::ACCESS_DENIED_ACE_TYPE;
  } else {
    Bad(part, "the entry type must be A (allow) or D (deny)");
  }
  for (std::size_t at = 0; at < fields[1].size(); at += 2) {
    const std::string_view name = fields[1].substr(at, 2);
    const Named* flag = Find(kAceFlags, name);
    if (flag == nullptr) Bad(part, std::string("'").append(name) + "' is not an inheritance flag");
    ace.flags = static_cast<win::BYTE>(ace.flags | flag->value);
  }
  ace.mask = RightsOf(fields[2], part);
  if (!fields[3].empty() || !fields[4].empty()) Bad(part, "object entries are not supported");
  ace.sid = AccountOf(fields[5], part);
  return ace;
}

// The owner or group text at the start of `text`: an "S-1-..." identifier or
// a two-letter alias. `text` is left after it.
Sid TakeAccount(std::string_view& text, std::string_view part) {
  std::size_t length = 2;
  if (text.starts_with("S-")) {
    length = text.find_first_not_of("S-0123456789");
    if (length == std::string_view::npos) length = text.size();
  }
  const Sid sid = AccountOf(text.substr(0, length), part);
  text.remove_prefix(std::min(length, text.size()));
  return sid;
}

void TakeList(std::string_view& text, Descriptor& descriptor) {
  const std::string_view part = text;
  descriptor.dacl = Acl{};
  descriptor.daclProtected = false;
  while (!text.empty() && text.front() != '(' && !text.starts_with("S:")) {
    if (text.starts_with("NO_ACCESS_CONTROL")) {
      descriptor.dacl.reset();
      text.remove_prefix(17);
    } else if (text.starts_with("P")) {
      descriptor.daclProtected = true;
      text.remove_prefix(1);
    } else if (text.starts_with("AI") || text.starts_with("AR")) {
      text.remove_prefix(2);
    } else {
      Bad(part, "the list's flags are P, AI, AR or NO_ACCESS_CONTROL");
    }
  }
  while (!text.empty() && text.front() == '(') {
    const auto close = text.find(')');
    if (close == std::string_view::npos) Bad(text, "an entry has no closing ')'");
    if (!descriptor.dacl) Bad(part, "a NULL list has no entries");
    descriptor.dacl->push_back(AceOf(text.substr(1, close - 1), text.substr(0, close + 1)));
    text.remove_prefix(close + 1);
  }
}

std::string FlagsListing(const Ace& ace) {
  std::string text;
  if ((ace.flags & win::INHERITED_ACE) != 0) text += "(I)";
  if ((ace.flags & win::OBJECT_INHERIT_ACE) != 0) text += "(OI)";
  if ((ace.flags & win::CONTAINER_INHERIT_ACE) != 0) text += "(CI)";
  if ((ace.flags & win::INHERIT_ONLY_ACE) != 0) text += "(IO)";
  if ((ace.flags & win::NO_PROPAGATE_INHERIT_ACE) != 0) text += "(NP)";
  return text;
}

std::string RightsListing(std::uint32_t mask, RightsKind kind) {
  const std::span<const Named> simple =
      kind == RightsKind::File ? std::span<const Named>(kSimpleFileRights) : kSimpleKeyRights;
  for (const Named& right : simple) {
    if (mask == right.value) return std::string("(").append(right.name) + ")";
  }
  std::string names;
  std::uint32_t left = mask;
  for (const Named& right : kSpecificRights) {
    const bool specific = (right.value & kSpecificBits) != 0;
    if ((mask & right.value) == 0 || (specific && kind == RightsKind::Key)) continue;
    names.append(names.empty() ? "" : ",").append(right.name);
    left &= ~right.value;
  }
  if (left != 0) names.append(names.empty() ? "" : ",").append(HexNumber(left));
  return "(" + names + ")";
}

}  // namespace

std::string SddlText(const Descriptor& descriptor) {
  std::string text;
  if (descriptor.owner) text += "O:" + AccountSddl(*descriptor.owner);
  if (descriptor.group) text += "G:" + AccountSddl(*descriptor.group);
  if (!descriptor.dacl) return text + "D:NO_ACCESS_CONTROL";
  text += descriptor.daclProtected ? "D:P" : "D:";
  for (const Ace& ace : *descriptor.dacl) {
    text += ace.type == win::ACCESS_DENIED_ACE_TYPE ? "(D;" : "(A;";
    for (const Named& flag : kAceFlags) {
      if ((ace.flags & flag.value) != 0) text += flag.name;
    }
    text.append(";")
        .append(RightsSddl(ace.mask))
        .append(";;;")
        .append(AccountSddl(ace.sid))
        .append(")");
  }
  return text;
}

void ApplySddl(std::string_view text, Descriptor& descriptor) {
  Descriptor changed = descriptor;
  if (text.empty()) Bad(text, "the text is empty");
  while (!text.empty()) {
    const std::string_view part = text;
    if (text.starts_with("O:")) {
      text.remove_prefix(2);
      changed.owner = TakeAccount(text, part);
    } else if (text.starts_with("G:")) {
      text.remove_prefix(2);
      changed.group = TakeAccount(text, part);
    } else if (text.starts_with("D:")) {
      text.remove_prefix(2);
      TakeList(text, changed);
    } else {
      Bad(part, "expected O:, G: or D:");
    }
  }
  descriptor = std::move(changed);
}

std::string AccessEntryText(const Profile& profile, const Ace& ace, RightsKind kind) {
  return AccountText(profile, ace.sid) + ":" + FlagsListing(ace) +
         (ace.type == win::ACCESS_DENIED_ACE_TYPE ? "(DENY)" : "") + RightsListing(ace.mask, kind);
}

std::string AccessListing(const Profile& profile, const std::string& path,
                          const Descriptor& descriptor, RightsKind kind) {
  if (!descriptor.dacl) return path + " (no access list: everyone may do everything)\n";
  if (descriptor.dacl->empty()) return path + " (an empty access list: nobody may do anything)\n";
  std::string text;
  const std::string indent(path.size() + 1, ' ');
  for (const Ace& ace : *descriptor.dacl) {
    text += (text.empty() ? path + " " : indent) + AccessEntryText(profile, ace, kind) + "\n";
  }
  return text;
}

}  // namespace lyn::sim
