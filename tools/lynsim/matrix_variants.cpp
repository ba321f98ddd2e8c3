#include "matrix_variants.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "cmd_acl.h"
#include "install_layout.h"
#include "platform/sim/security/token.h"

namespace lyn::lynsim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBuiltIn =
    R"(# The variants of lynsim's compatibility matrix: each is a [name] and settings
# as 'lynsim new --set' takes them; {Field} stands for the edition's value of a
# profile field. Copy this file, change or add variants, and give it to
# 'lynsim matrix OUT --variants FILE'. See docs/lynsim-matrix.md.

[default]
Description = the default person of the edition: an administrator who accepts the licence, answers every question Yes or OK and lets the setup program run as administrator

[standard-user]
Description = a standard user, not a member of Administrators; where Windows asks for an administrator's password, they type it
IsAdmin = false

[declines-elevation]
Description = an administrator who answers No when Windows asks to let the setup program run as administrator
Requires = elevation prompt
ElevationAnswer = No

[cd]
Description = the setup program started from a CD in drive D (CDFS)
Drive.D = CDFS
CurrentDirectory = D:\

[fat32]
Description = the setup program started from a FAT32 memory stick in drive E
Drive.E = FAT32
CurrentDirectory = E:\

[german]
Description = a German Windows: the Users group is "Benutzer", the ANSI code page 1252, and the common files folder's name has letters beyond ASCII
AnsiCodePage = 1252
UsersGroupName = Benutzer
CommonFiles = {ProgramFiles}\Gemeinsame Dateien für Programme

[newer-system-files]
Description = shared system files newer than the product's already present: the help viewer, its libraries and the rich-text library in the versions Windows 7 ships
Place:{SystemDirectory}\hh.exe = system/win7/hh.exe
Place:{SystemDirectory}\hhctrl.ocx = system/win7/hhctrl.ocx
Place:{SystemDirectory}\itss.dll = system/win7/itss.dll
Place:{SystemDirectory}\itircl.dll = system/win7/itircl.dll
Place:{SystemDirectory}\RICHED32.DLL = system/win7/RICHED32.DLL

[system-file-in-use]
Description = a shared system file the install replaces is in use: an older itss.dll (Windows XP's) held open by a running program
Place:{SystemDirectory}\itss.dll = system/winxp/itss.dll
Hold = {SystemDirectory}\itss.dll
)";

constexpr const char* kPlace = "Place:";
constexpr const char* kElevationPrompt = "elevation prompt";

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsVariantName(const std::string& name) {
  return !name.empty() && name.front() != '-' && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
}

// The text with each "{Field}" replaced by the profile's value of the field.
std::string Expanded(const std::string& text, const std::map<std::string, std::string>& fields) {
  std::string result;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto open = text.find('{', at);
    if (open == std::string::npos) break;
    const auto close = text.find('}', open);
    if (close == std::string::npos)
      throw std::invalid_argument("'{' without '}' in '" + text + "'");
    const std::string name = text.substr(open + 1, close - open - 1);
    const auto found = fields.find(name);
    if (found == fields.end()) {
      throw std::invalid_argument("'{" + name + "}' names no profile field (lynsim fields)");
    }
    result += text.substr(at, open - at) + found->second;
    at = close + 1;
  }
  return result + text.substr(std::min(at, text.size()));
}

}  // namespace

const std::string& BuiltInVariantsText() {
  static const std::string text = kBuiltIn;
  return text;
}

const std::vector<Variant>& BuiltInVariants() {
  static const std::vector<Variant> variants = ParseVariants(kBuiltIn, "the built-in variants");
  return variants;
}

std::vector<Variant> ParseVariants(const std::string& text, const std::string& source) {
  std::vector<Variant> variants;
  std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  for (int number = 1; start <= text.size(); ++number) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    const auto fail = [&](const std::string& why) {
      throw std::invalid_argument(source + " line " + std::to_string(number) + ": " + why);
    };
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::string name = line.back() == ']' ? line.substr(1, line.size() - 2) : "";
      if (!IsVariantName(name)) fail("a variant is '[name]' in lower-case letters, digits and '-'");
      for (const Variant& known : variants) {
        if (known.name == name) fail("the variant '" + name + "' is named twice");
      }
      variants.push_back(Variant{name, "", false, {}});
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) fail("expected 'FIELD = VALUE' or '[name]'");
    if (variants.empty()) fail("a setting before the first '[name]'");
    Variant& variant = variants.back();
    const std::string field = Trimmed(line.substr(0, equals));
    const std::string value = Trimmed(line.substr(equals + 1));
    if (field == "Description") {
      variant.description = value;
    } else if (field == "Requires") {
      if (value != kElevationPrompt)
        fail("'Requires' takes only '" + std::string(kElevationPrompt) + "'");
      variant.needsElevationPrompt = true;
    } else {
      variant.settings.emplace_back(field, value);
    }
  }
  for (const Variant& variant : variants) {
    try {
      PlanMachine(sim::FindPreset(sim::DefaultPresetName()).profile, variant);
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(source + ", variant '" + variant.name + "': " + e.what());
    }
  }
  return variants;
}

MachinePlan PlanMachine(const sim::Profile& preset, const Variant& variant) {
  std::map<std::string, std::string> fields;
  for (const sim::FieldDescription& field : sim::DescribeFields(preset)) {
    fields[field.name] = field.value;
  }
  MachinePlan plan{preset, true, {}, {}, {}};
  for (const auto& [field, given] : variant.settings) {
    const std::string value = Expanded(given, fields);
    if (field.starts_with(kSecurityField)) {
      sim::Descriptor checked;
      sim::ApplySddl(value, checked);
      plan.security.emplace_back(Expanded(field.substr(std::string(kSecurityField).size()), fields),
                                 value);
    } else if (field.starts_with(kPlace)) {
      fs::path source(value);
      if (source.is_relative()) source = ProductFolder() / source;
      std::error_code error;
      if (!fs::is_regular_file(source, error)) {
        throw std::invalid_argument("no file '" + source.string() + "' to place");
      }
      plan.placed.emplace_back(Expanded(field.substr(std::string(kPlace).size()), fields), source);
    } else if (field == "Hold") {
      plan.held.push_back(value);
    } else {
      sim::SetField(plan.profile, field, value);
    }
  }
  if (variant.needsElevationPrompt) {
    plan.applies = sim::StartProgram(plan.profile, sim::kProductExecutionLevel).prompt !=
                   sim::ElevationPrompt::None;
  }
  return plan;
}

}  // namespace lyn::lynsim
