// The profile's fields by name: setting one from text, and the whole profile
// as "field = value" lines.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/sim/machine/closest_names.h"
#include "platform/sim/machine/profile.h"

namespace lyn::sim {
namespace {

struct Field {
  const char* name;
  std::function<std::string(const Profile&)> get;
  std::function<void(Profile&, const std::string&)> set;
  std::string type;   // "number", "hex number", "flag" or "text"
  std::string range;  // what the value may be
  const char* group = "";
  const char* meaning = "";
  // The profile version that added the field: an older file takes the
  // field's default.
  int since = 1;
};

// The value as a message shows it: on one line, line ends spelt out.
std::string Shown(const std::string& value) {
  std::string shown;
  for (const char c : value) {
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else {
      shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
  }
  return shown;
}

[[noreturn]] void BadValue(const std::string& field, const std::string& value,
                           const std::string& expected) {
  throw std::invalid_argument("bad value '" + Shown(value) + "' for " + field + ": expected " +
                              expected);
}

template <typename T>
std::string RangeOf() {
  return std::to_string(std::numeric_limits<T>::min()) + " to " +
         std::to_string(std::numeric_limits<T>::max());
}

template <typename T>
T ParseNumber(const std::string& field, const std::string& value) {
  const bool negative = !value.empty() && value[0] == '-';
  std::string_view digits(value);
  if (negative) digits.remove_prefix(1);
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  const std::string range = "a number from " + RangeOf<T>();
  unsigned long long magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    BadValue(field, value, range);
  }
  if (negative) {
    if (!std::is_signed_v<T> ||
        magnitude > static_cast<unsigned long long>(std::numeric_limits<T>::max()) + 1) {
      BadValue(field, value, range);
    }
    return static_cast<T>(-static_cast<long long>(magnitude));
  }
  if (magnitude > static_cast<unsigned long long>(std::numeric_limits<T>::max())) {
    BadValue(field, value, range);
  }
  return static_cast<T>(magnitude);
}

std::string Hex(unsigned long long number, int digits) {
  std::ostringstream out;
  out << "0x" << std::hex << std::uppercase;
  out.width(digits);
  out.fill('0');
  out << number;
  return out.str();
}

std::string CheckedText(const std::string& field, const std::string& value) {
  for (const char c : value) {
    if (c == '\n' || c == '\r' || c == '\0') BadValue(field, value, "text on one line");
  }
  return value;
}

template <typename T>
Field Number(const char* name, T Profile::*member) {
  return {name, [member](const Profile& p) { return std::to_string(p.*member); },
          [member, name](Profile& p, const std::string& v) { p.*member = ParseNumber<T>(name, v); },
          "number", RangeOf<T>()};
}

template <typename T>
Field HexNumber(const char* name, T Profile::*member) {
  return {name, [member](const Profile& p) { return Hex(p.*member, 2 * sizeof(T)); },
          [member, name](Profile& p, const std::string& v) { p.*member = ParseNumber<T>(name, v); },
          "hex number", RangeOf<T>()};
}

Field Flag(const char* name, bool Profile::*member) {
  return {name, [member](const Profile& p) { return std::string(p.*member ? "true" : "false"); },
          [member, name](Profile& p, const std::string& v) {
            if (v != "true" && v != "false") BadValue(name, v, "true or false");
            p.*member = v == "true";
          },
          "flag", "true or false"};
}

Field Text(const char* name, std::string Profile::*member) {
  return {name, [member](const Profile& p) { return p.*member; },
          [member, name](Profile& p, const std::string& v) { p.*member = CheckedText(name, v); },
          "text", "one line"};
}

// One of a few words, spelt exactly.
Field Choice(const char* name, std::string Profile::*member, std::vector<std::string> words) {
  std::string range;
  for (const std::string& word : words) range += (range.empty() ? "" : " or ") + word;
  return {name, [member](const Profile& p) { return p.*member; },
          [member, name, words, range](Profile& p, const std::string& v) {
            if (std::find(words.begin(), words.end(), v) == words.end()) BadValue(name, v, range);
            p.*member = v;
          },
          "text", range};
}

// The field with its group and meaning, for the listing of the fields.
Field Described(Field field, const char* group, const char* meaning, int since = 1) {
  field.group = group;
  field.meaning = meaning;
  field.since = since;
  return field;
}

constexpr const char* kVersion = "Version";
constexpr const char* kProcessor = "Processor";
constexpr const char* kMetrics = "System metrics";
constexpr const char* kUser = "Locale and user";
constexpr const char* kFolders = "Folders";

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      Described(Number("dwPlatformId", &Profile::dwPlatformId), kVersion,
                "platform of the version record: 2 is Windows NT, 1 Windows 9x"),
      Described(Number("dwMajorVersion", &Profile::dwMajorVersion), kVersion,
                "major version: 5 is 2000/XP/2003, 6 is Vista to 8.1, 10 is 10 and 11"),
      Described(Number("dwMinorVersion", &Profile::dwMinorVersion), kVersion,
                "minor version: 6.0 Vista, 6.1 Windows 7, 6.2 Windows 8, 6.3 Windows 8.1"),
      Described(Number("dwBuildNumber", &Profile::dwBuildNumber), kVersion, "build number"),
      Described(Text("szCSDVersion", &Profile::szCSDVersion), kVersion,
                "service pack as text, \"Service Pack 1\" or empty"),
      Described(Number("wServicePackMajor", &Profile::wServicePackMajor), kVersion,
                "service pack major number"),
      Described(Number("wServicePackMinor", &Profile::wServicePackMinor), kVersion,
                "service pack minor number"),
      Described(HexNumber("wSuiteMask", &Profile::wSuiteMask), kVersion,
                "suite bits: 0x0002 Enterprise, 0x0080 Datacenter, 0x0100 single user, "
                "0x0200 Home, 0x0400 Web"),
      Described(Number("wProductType", &Profile::wProductType), kVersion,
                "1 workstation, 2 domain controller, 3 server"),
      Described(Number("GetProductInfo", &Profile::GetProductInfo), kVersion,
                "edition number GetProductInfo reports, 1 Ultimate, 3 Home Premium, 6 Business"),
      Described(Number("wProcessorArchitecture", &Profile::wProcessorArchitecture), kProcessor,
                "native processor: 0 x86, 9 x64, 6 Itanium"),
      Described(Flag("Wow64", &Profile::Wow64), kProcessor,
                "the 32-bit setup program runs under WOW64 (true on 64-bit Windows)"),
      Described(Number("SM_TABLETPC", &Profile::SM_TABLETPC), kMetrics,
                "nonzero on a Tablet PC edition"),
      Described(Number("SM_MEDIACENTER", &Profile::SM_MEDIACENTER), kMetrics,
                "nonzero on a Media Center edition"),
      Described(Number("SM_STARTER", &Profile::SM_STARTER), kMetrics,
                "nonzero on a Starter edition"),
      Described(Number("SM_SERVERR2", &Profile::SM_SERVERR2), kMetrics,
                "nonzero on Windows Server 2003 R2"),
      Described(Number("SM_CXSCREEN", &Profile::SM_CXSCREEN), kMetrics,
                "screen width in pixels; a screenshot's display gets this size"),
      Described(Number("SM_CYSCREEN", &Profile::SM_CYSCREEN), kMetrics, "screen height in pixels"),
      Described(Number("AnsiCodePage", &Profile::AnsiCodePage), kUser,
                "ANSI code page of file names and texts: 1250 to 1258, 874, 932, 936, 949, 950"),
      Described(Text("UserName", &Profile::UserName), kUser, "the logged-on user"),
      Described(Flag("IsAdmin", &Profile::IsAdmin), kUser,
                "the user is a member of the Administrators group"),
      Described(Text("UsersGroupName", &Profile::UsersGroupName), kUser,
                "local name of the Users group"),
      Described(Flag("EnableLUA", &Profile::EnableLUA), kUser,
                "User Account Control is on (Windows Vista and later). The setup "
                "program asks for administrator rights: with it on, the person is asked first "
                "(see ElevationAnswer); with it off, an administrator's program runs with full "
                "rights and a standard user's does not start (error 740)",
                2),
      Described(Choice("ElevationAnswer", &Profile::ElevationAnswer, {"Yes", "No"}), kUser,
                "the person's answer when User Account Control asks to let the setup program "
                "run as administrator: an administrator consents or not; a "
                "standard user types an administrator's password or not. No: the program does "
                "not start (error 1223)",
                2),
      Described(Text("WindowsDirectory", &Profile::WindowsDirectory), kFolders,
                "the Windows folder"),
      Described(Text("SystemDirectory", &Profile::SystemDirectory), kFolders,
                "the system folder (SysWOW64 stands in for it under WOW64)"),
      Described(Text("TempPath", &Profile::TempPath), kFolders,
                "the user's temporary folder, with its trailing backslash"),
      Described(Text("ProgramFiles", &Profile::ProgramFiles), kFolders,
                "Program Files as a 32-bit program sees it"),
      Described(Text("CommonFiles", &Profile::CommonFiles), kFolders, "Common Files"),
      Described(Text("CommonPrograms", &Profile::CommonPrograms), kFolders,
                "the all-users Start menu programs folder"),
      Described(Text("Desktop", &Profile::Desktop), kFolders, "the user's desktop folder"),
      Described(Text("CurrentDirectory", &Profile::CurrentDirectory), kFolders,
                "the folder the setup program starts in (where LYN.CAB is looked for)"),
  };
  return fields;
}

// "Drive.D", "Drive.D.VolumeName", "Drive.D.SerialNumber".
bool SetDriveField(Profile& profile, const std::string& field, const std::string& value) {
  const std::string prefix = "Drive.";
  if (field.rfind(prefix, 0) != 0) return false;
  const std::string rest = field.substr(prefix.size());
  if (rest.empty() || !std::isalpha(static_cast<unsigned char>(rest[0])) ||
      (rest.size() > 1 && rest[1] != '.')) {
    throw std::invalid_argument("bad drive field '" + field + "': expected Drive.<letter>");
  }
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
  const std::string part = rest.size() > 1 ? rest.substr(2) : "";
  if (part.empty()) {
    if (value.empty()) BadValue(field, value, "a file-system name such as NTFS, FAT32 or CDFS");
    profile.drives[letter].fileSystem = CheckedText(field, value);
    return true;
  }
  const auto drive = profile.drives.find(letter);
  if (part != "VolumeName" && part != "SerialNumber") {
    throw std::invalid_argument("unknown drive field '" + field + "'");
  }
  if (drive == profile.drives.end()) {
    throw std::invalid_argument("no drive " + std::string(1, letter) + ": set Drive." +
                                std::string(1, letter) + " to its file system first");
  }
  if (part == "VolumeName") {
    drive->second.volumeName = CheckedText(field, value);
  } else {
    drive->second.serialNumber = ParseNumber<win::DWORD>(field, value);
  }
  return true;
}

// "SelfRegistration.<file name>" = "0x80004005" | "delay=11000" |
// "delay=11000,0x80004005".
bool SetSelfRegistrationField(Profile& profile, const std::string& field,
                              const std::string& value) {
  const std::string prefix = "SelfRegistration.";
  if (field.rfind(prefix, 0) != 0) return false;
  const std::string library = field.substr(prefix.size());
  if (library.empty()) {
    throw std::invalid_argument("bad field '" + field + "': expected SelfRegistration.<file name>");
  }
  SelfRegistrationBehaviour behaviour;
  std::string rest = value;
  if (rest.rfind("delay=", 0) == 0) {
    const auto comma = rest.find(',');
    behaviour.delayMs = ParseNumber<win::DWORD>(field, rest.substr(6, comma - 6));
    rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
  }
  if (!rest.empty()) {
    behaviour.result = static_cast<win::HRESULT>(ParseNumber<win::DWORD>(field, rest));
  } else if (value.rfind("delay=", 0) != 0) {
    BadValue(field, value, "a result code, delay=MILLISECONDS, or both separated by a comma");
  }
  profile.SelfRegistration[library] = behaviour;
  return true;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Values with blanks at either end, or that look quoted, are written quoted.
std::string Quoted(const std::string& value) {
  const bool needsQuotes =
      !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                         value.back() == '\t' || value.front() == '"');
  return needsQuotes ? '"' + value + '"' : value;
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The line that says which version of the profile file a text is.
constexpr const char* kVersionField = "ProfileVersion";

int ParseVersion(const std::string& value) {
  const int version = ParseNumber<int>(kVersionField, value);
  if (version < 1) BadValue(kVersionField, value, "a version from 1");
  if (version > kProfileVersion) {
    throw std::invalid_argument("the profile is version " + value +
                                ", made by a later lynsim; this one reads versions up to " +
                                std::to_string(kProfileVersion));
  }
  return version;
}

void AppendLine(std::string& text, const std::string& name, const std::string& value) {
  // Appended piece by piece: a literal prepended to a temporary string
  // makes gcc 12 warn of an overlapping copy it cannot rule out.
  text.append(name).append(" =");
  if (!value.empty()) text.append(" ").append(Quoted(value));
  text += '\n';
}

}  // namespace

void SetField(Profile& profile, const std::string& field, const std::string& value) {
  for (const Field& f : Fields()) {
    if (field == f.name) {
      f.set(profile, value);
      return;
    }
  }
  if (!SetDriveField(profile, field, value) && !SetSelfRegistrationField(profile, field, value)) {
    std::string message = "unknown profile field '" + field + "'";
    const std::vector<std::string> closest = ClosestFields(field);
    for (std::size_t i = 0; i < closest.size(); ++i) {
      message += (i == 0                    ? "; did you mean "
                  : i + 1 == closest.size() ? " or "
                                            : ", ") +
                 closest[i];
    }
    message += closest.empty() ? "; lynsim fields lists them" : "?";
    throw std::invalid_argument(message);
  }
}

std::vector<FieldDescription> DescribeFields(const Profile& profile) {
  std::vector<FieldDescription> described;
  for (const Field& f : Fields()) {
    if (*f.group == '\0') continue;
    described.push_back({f.group, f.name, f.type, f.range, f.get(profile), f.meaning});
  }
  const auto drive = profile.drives.find('C');
  const DriveVolume c = drive == profile.drives.end() ? DriveVolume{} : drive->second;
  described.push_back({"Drives", "Drive.<letter>", "text", "a file-system name", c.fileSystem,
                       "makes the drive: NTFS, FAT32 or CDFS (a CD drive), as it is reported"});
  described.push_back({"Drives", "Drive.<letter>.VolumeName", "text", "one line", c.volumeName,
                       "the drive's volume label"});
  described.push_back({"Drives", "Drive.<letter>.SerialNumber", "hex number", RangeOf<win::DWORD>(),
                       Hex(c.serialNumber, 8), "the volume serial number"});
  return described;
}

std::vector<std::string> ClosestFields(const std::string& name) {
  std::vector<std::string> known;
  for (const Field& f : Fields()) {
    if (*f.group != '\0') known.emplace_back(f.name);
  }
  return ClosestNames(name, known, 3);
}

std::string ProfileToText(const Profile& profile) {
  std::string text = "# The emulated machine's profile: what its Windows reports about itself.\n";
  AppendLine(text, kVersionField, std::to_string(kProfileVersion));
  for (const Field& f : Fields()) AppendLine(text, f.name, f.get(profile));
  for (const auto& [letter, drive] : profile.drives) {
    const std::string name = "Drive." + std::string(1, letter);
    AppendLine(text, name, drive.fileSystem);
    AppendLine(text, name + ".VolumeName", drive.volumeName);
    AppendLine(text, name + ".SerialNumber", Hex(drive.serialNumber, 8));
  }
  for (const auto& [library, behaviour] : profile.SelfRegistration) {
    AppendLine(text, "SelfRegistration." + library,
               "delay=" + std::to_string(behaviour.delayMs) + "," +
                   Hex(static_cast<win::DWORD>(behaviour.result), 8));
  }
  return text;
}

Profile ProfileFromText(const std::string& text) {
  // Notepad starts a UTF-8 file with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  const bool marked = text.starts_with(kByteOrderMark);
  std::istringstream lines(marked ? text.substr(kByteOrderMark.size()) : text);
  Profile profile;
  profile.drives.clear();
  std::map<std::string, int> seen;  // field, with a drive's letter in upper case, to its line
  int version = 1;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    const std::string where = "profile line " + std::to_string(number) + ": ";
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos || Trim(trimmed.substr(0, equals)).empty()) {
      throw std::invalid_argument(where + "expected 'field = value', found '" + Shown(trimmed) +
                                  "'");
    }
    const std::string field = Trim(trimmed.substr(0, equals));
    const std::string value = Unquoted(Trim(trimmed.substr(equals + 1)));
    try {
      if (field == kVersionField) {
        version = ParseVersion(value);
      } else {
        SetField(profile, field, value);
      }
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(where + e.what());
    }
    std::string key = field;
    if (key.starts_with("Drive.")) key[6] = static_cast<char>(std::toupper(key[6]));
    if (const auto [earlier, added] = seen.emplace(key, number); !added) {
      throw std::invalid_argument(where + field + " is set again (first on line " +
                                  std::to_string(earlier->second) + ")");
    }
  }
  std::string missing;
  for (const Field& f : Fields()) {
    if (f.since <= version && !seen.contains(f.name)) {
      missing += (missing.empty() ? "" : ", ") + std::string(f.name);
    }
  }
  if (!missing.empty()) throw std::invalid_argument("the profile has no line for " + missing);
  return profile;
}

}  // namespace lyn::sim
