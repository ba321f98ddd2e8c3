// The profile's fields by name: setting one from text, and the whole profile
// as "field = value" lines.
#include <cctype>
#include <charconv>
#include <functional>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <type_traits>

#include "platform/sim/machine/profile.h"

namespace lyn::sim {
namespace {

struct Field {
  const char* name;
  std::function<std::string(const Profile&)> get;
  std::function<void(Profile&, const std::string&)> set;
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
T ParseNumber(const std::string& field, const std::string& value) {
  const bool negative = !value.empty() && value[0] == '-';
  std::string_view digits(value);
  if (negative) digits.remove_prefix(1);
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  const std::string range = "a number from " + std::to_string(std::numeric_limits<T>::min()) +
                            " to " + std::to_string(std::numeric_limits<T>::max());
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
  return {
      name, [member](const Profile& p) { return std::to_string(p.*member); },
      [member, name](Profile& p, const std::string& v) { p.*member = ParseNumber<T>(name, v); }};
}

template <typename T>
Field HexNumber(const char* name, T Profile::*member) {
  return {
      name, [member](const Profile& p) { return Hex(p.*member, 2 * sizeof(T)); },
      [member, name](Profile& p, const std::string& v) { p.*member = ParseNumber<T>(name, v); }};
}

Field Flag(const char* name, bool Profile::*member) {
  return {name, [member](const Profile& p) { return std::string(p.*member ? "true" : "false"); },
          [member, name](Profile& p, const std::string& v) {
            if (v != "true" && v != "false") BadValue(name, v, "true or false");
            p.*member = v == "true";
          }};
}

Field Text(const char* name, std::string Profile::*member) {
  return {name, [member](const Profile& p) { return p.*member; },
          [member, name](Profile& p, const std::string& v) { p.*member = CheckedText(name, v); }};
}

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      Number("dwPlatformId", &Profile::dwPlatformId),
      Number("dwMajorVersion", &Profile::dwMajorVersion),
      Number("dwMinorVersion", &Profile::dwMinorVersion),
      Number("dwBuildNumber", &Profile::dwBuildNumber),
      Text("szCSDVersion", &Profile::szCSDVersion),
      Number("wServicePackMajor", &Profile::wServicePackMajor),
      Number("wServicePackMinor", &Profile::wServicePackMinor),
      HexNumber("wSuiteMask", &Profile::wSuiteMask),
      Number("wProductType", &Profile::wProductType),
      Number("wProcessorArchitecture", &Profile::wProcessorArchitecture),
      Flag("Wow64", &Profile::Wow64),
      Number("GetProductInfo", &Profile::GetProductInfo),
      Number("SM_TABLETPC", &Profile::SM_TABLETPC),
      Number("SM_MEDIACENTER", &Profile::SM_MEDIACENTER),
      Number("SM_STARTER", &Profile::SM_STARTER),
      Number("SM_SERVERR2", &Profile::SM_SERVERR2),
      Number("SM_CXSCREEN", &Profile::SM_CXSCREEN),
      Number("SM_CYSCREEN", &Profile::SM_CYSCREEN),
      Number("DesktopDelayMs", &Profile::DesktopDelayMs),
      Number("AnsiCodePage", &Profile::AnsiCodePage),
      Text("UserName", &Profile::UserName),
      Flag("IsAdmin", &Profile::IsAdmin),
      Text("UsersGroupName", &Profile::UsersGroupName),
      Text("WindowsDirectory", &Profile::WindowsDirectory),
      Text("SystemDirectory", &Profile::SystemDirectory),
      Text("TempPath", &Profile::TempPath),
      Text("ProgramFiles", &Profile::ProgramFiles),
      Text("CommonFiles", &Profile::CommonFiles),
      Text("CommonPrograms", &Profile::CommonPrograms),
      Text("Desktop", &Profile::Desktop),
      Text("CurrentDirectory", &Profile::CurrentDirectory),
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

void AppendLine(std::string& text, const std::string& name, const std::string& value) {
  text += name + " =";
  if (!value.empty()) text += " " + Quoted(value);
  text += "\n";
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
    throw std::invalid_argument("unknown profile field '" + field + "'");
  }
}

std::string ProfileToText(const Profile& profile) {
  std::string text = "# The emulated machine's profile: what its Windows reports about itself.\n";
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
  Profile profile;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    const std::string where = "profile line " + std::to_string(number) + ": ";
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos || Trim(trimmed.substr(0, equals)).empty()) {
      throw std::invalid_argument(where + "expected 'field = value', found '" + trimmed + "'");
    }
    try {
      SetField(profile, Trim(trimmed.substr(0, equals)),
               Unquoted(Trim(trimmed.substr(equals + 1))));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(where + e.what());
    }
  }
  return profile;
}

}  // namespace lyn::sim
