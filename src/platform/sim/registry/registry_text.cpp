#include "platform/sim/registry/registry_text.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/code_page.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {
namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRegedit4Header = "REGEDIT4";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// The registry editor breaks a hex list once its line reaches this column.
constexpr std::size_t kHexWrapColumn = 77;

using Bytes = std::vector<std::uint8_t>;

std::string Hex(std::uint32_t number, int digits) {
  char text[9];
  std::snprintf(text, sizeof text, "%0*x", digits, number);
  return text;
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::u16string Utf16Units(const Bytes& bytes) {
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    wide.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return wide;
}

Bytes Utf16Bytes(std::u16string_view wide) {
  Bytes bytes;
  for (const char16_t unit : wide) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::string Utf16ToUtf8(std::u16string_view wide) {
  return EncodeText(kUtf8CodePage, wide, "\xEF\xBF\xBD")->bytes;
}

// The bytes of a string value between the machine's ANSI code page (as the
// registry keeps them) and UTF-16LE (as version 5 files write them).
Bytes AnsiToUtf16(const Machine& machine, const Bytes& ansi) {
  const auto wide =
      DecodeText(machine.profile().AnsiCodePage,
                 std::string_view(reinterpret_cast<const char*>(ansi.data()), ansi.size()), false);
  return Utf16Bytes(wide.value_or(u""));
}

Bytes Utf16ToAnsi(const Machine& machine, const Bytes& utf16) {
  const std::string ansi =
      EncodeText(machine.profile().AnsiCodePage, Utf16Units(utf16), "?")->bytes;
  return Bytes(ansi.begin(), ansi.end());
}

bool IsTextType(win::DWORD type) {
  return type == win::REG_SZ || type == win::REG_EXPAND_SZ || type == win::REG_MULTI_SZ;
}

// A REG_SZ value the editor writes as a quoted string: text and one closing
// NUL, or nothing at all. Others keep their exact bytes as hex(1).
bool QuotableString(const Bytes& data) {
  return data.empty() || std::find(data.begin(), data.end(), 0) == data.end() - 1;
}

// How a value is written: where its line starts and whether hex lists wrap.
struct LineStyle {
  RegistryFileKind kind = RegistryFileKind::Version5;
  bool wrap = true;
};

std::string HexList(const Bytes& bytes, std::size_t column, const LineStyle& style) {
  std::string list;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    list += Hex(bytes[i], 2);
    if (i + 1 == bytes.size()) break;
    list += ',';
    column += 3;
    if (style.wrap && column >= kHexWrapColumn) {
      list += "\\\r\n  ";
      column = 2;
    }
  }
  return list;
}

// The value's line in UTF-8, its name included.
std::string ValueText(const Machine& machine, const RegistryValue& value, const LineStyle& style) {
  std::string line = (value.name.empty() ? std::string("@") : Quote(value.name)) + "=";
  const std::string raw(value.data.begin(), value.data.end());
  if (value.type == win::REG_SZ && QuotableString(value.data)) {
    return line + Quote(machine.AnsiToUtf8(raw.substr(0, raw.find('\0'))));
  }
  if (value.type == win::REG_DWORD && value.data.size() == 4) {
    const auto& d = value.data;
    return line + "dword:" +
           Hex(static_cast<std::uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16)) |
                   (static_cast<std::uint32_t>(d[3]) << 24),
               8);
  }
  line += value.type == win::REG_BINARY ? std::string("hex:") : "hex(" + Hex(value.type, 1) + "):";
  const bool wide = IsTextType(value.type) && style.kind == RegistryFileKind::Version5;
  const Bytes& bytes = wide ? AnsiToUtf16(machine, value.data) : value.data;
  return line + HexList(bytes, ToCodePoints(line).size(), style);
}

// Keys in the order the registry editor writes them: each key before its
// subkeys, subkeys by their names compared in upper case.
void SortDepthFirst(std::vector<std::string>& keys) {
  std::vector<std::pair<std::vector<std::string>, std::string>> sortable;
  for (std::string& key : keys) {
    std::vector<std::string> names = SplitKeyNames(key);
    for (std::string& name : names) {
      name = FoldCase(name);
      for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
    }
    sortable.emplace_back(std::move(names), std::move(key));
  }
  std::sort(sortable.begin(), sortable.end());
  keys.clear();
  for (auto& [names, key] : sortable) keys.push_back(std::move(key));
}

// The text of a file, decoded to UTF-8, and which kind it says it is.
struct DecodedFile {
  std::string text;
  bool wideStrings = true;  // hex(1), hex(2) and hex(7) data are UTF-16LE
};

DecodedFile Decode(const Machine& machine, std::string_view file) {
  if (file.starts_with(kUtf16Mark)) {
    file.remove_prefix(kUtf16Mark.size());
    const Bytes bytes(file.begin(), file.end());
    return {Utf16ToUtf8(Utf16Units(bytes)), true};
  }
  if (file.starts_with(kUtf8Mark)) file.remove_prefix(kUtf8Mark.size());
  if (file.starts_with(kRegedit4Header)) return {machine.AnsiToUtf8(file), false};
  return {std::string(file), true};
}

// One logical line of a file being imported, with its number for messages.
struct Line {
  int number;
  std::string text;
};

std::vector<Line> LogicalLines(std::string_view text) {
  std::vector<Line> lines;
  bool continued = false;
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = std::min(text.find('\n', start), text.size());
    std::string line(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool continues = !line.empty() && line.back() == '\\';
    if (continues) line.pop_back();
    if (continued) {
      lines.back().text += line.substr(std::min(line.find_first_not_of(' '), line.size()));
    } else {
      lines.push_back(Line{number, line});
    }
    continued = continues;
  }
  return lines;
}

// The start of a line for a message: at most 60 characters, control
// characters shown as '?'.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kShown = 60;
  std::string shown(text.substr(0, kShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text.size() > kShown ? shown + "..." : shown;
}

[[noreturn]] void Malformed(const Line& line, const std::string& why) {
  throw std::invalid_argument("line " + std::to_string(line.number) + ": " + why + ": " +
                              Excerpt(line.text));
}

// A quoted string starting at `at`; `at` is left after its closing quote.
std::string Unquote(const Line& line, std::size_t& at) {
  std::string text;
  for (++at; at < line.text.size(); ++at) {
    const char c = line.text[at];
    if (c == '"') {
      ++at;
      return text;
    }
    if (c == '\\' && at + 1 < line.text.size()) ++at;
    text += line.text[at];
  }
  Malformed(line, "a string has no closing quote");
}

Bytes ParseHexList(const Line& line, std::string_view list) {
  Bytes bytes;
  std::size_t at = 0;
  while (at < list.size()) {
    const auto end = std::min(list.find(',', at), list.size());
    const std::string item(list.substr(at, end - at));
    std::size_t used = 0;
    unsigned long byte = 0;
    try {
      byte = std::stoul(item, &used, 16);
    } catch (const std::logic_error&) {
      used = 0;
    }
    if (used == 0 || used != item.size() || byte > 0xFF) {
      std::string message = "'";
      message += Excerpt(item);
      Malformed(line, message + "' is not a hexadecimal byte");
    }
    bytes.push_back(static_cast<std::uint8_t>(byte));
    at = end + 1;
  }
  return bytes;
}

// The value a data text stands for; nullopt for "-", a deletion.
std::optional<RegistryValue> ParseData(const Machine& machine, const DecodedFile& file,
                                       const Line& line, std::string name, std::string_view data) {
  if (data == "-") return std::nullopt;
  RegistryValue value{std::move(name), win::REG_SZ, {}};
  if (!data.empty() && data.front() == '"') {
    const Line quoted{line.number, std::string(data)};
    std::size_t at = 0;
    const std::string text = machine.Utf8ToAnsi(Unquote(quoted, at));
    if (at != data.size()) Malformed(line, "text follows a string value");
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
  } else if (data.substr(0, 6) == "dword:") {
    const std::string digits(data.substr(6));
    std::size_t used = 0;
    unsigned long number = 0;
    try {
      number = std::stoul(digits, &used, 16);
    } catch (const std::logic_error&) {
      used = 0;
    }
    if (digits.empty() || used != digits.size() || digits.size() > 8) {
      Malformed(line, "'" + Excerpt(digits) + "' is not a 32-bit hexadecimal number");
    }
    value.type = win::REG_DWORD;
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    }
  } else if (data.substr(0, 4) == "hex:") {
    value.type = win::REG_BINARY;
    value.data = ParseHexList(line, data.substr(4));
  } else if (data.substr(0, 4) == "hex(") {
    const auto close = data.find("):");
    if (close == data.npos) Malformed(line, "a hex(type) value has no \"):\"");
    std::size_t used = 0;
    const std::string type(data.substr(4, close - 4));
    try {
      value.type = static_cast<win::DWORD>(std::stoul(type, &used, 16));
    } catch (const std::logic_error&) {
      used = 0;
    }
    if (type.empty() || used != type.size())
      Malformed(line, "'" + Excerpt(type) + "' is not a type");
    value.data = ParseHexList(line, data.substr(close + 2));
    if (IsTextType(value.type) && file.wideStrings) value.data = Utf16ToAnsi(machine, value.data);
  } else {
    Malformed(line, "the value's data is not a string, dword:, hex: or hex(type):");
  }
  return value;
}

std::string KeyPathOf(const Line& line, std::string_view path) {
  const std::vector<std::string> components = SplitKeyPath(path);
  if (components.empty() || !RegistryRootName(components.front())) {
    Malformed(line, "a key must start with a root such as HKEY_LOCAL_MACHINE or HKLM");
  }
  if (const auto beyond = KeyPathBeyondLimits(components)) Malformed(line, *beyond);
  return JoinKeyPath(components);
}

std::string FileText(const Machine& machine, const std::string& utf8, RegistryFileKind kind) {
  if (kind == RegistryFileKind::Regedit4) return machine.Utf8ToAnsi(utf8);
  const Bytes bytes = Utf16Bytes(*DecodeText(kUtf8CodePage, utf8, false));
  return std::string(kUtf16Mark) + std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::string ValueLine(const Machine& machine, const RegistryValue& value) {
  return ValueText(machine, value, LineStyle{RegistryFileKind::Version5, false});
}

std::string ExportRegistry(const Machine& machine, std::string_view keyPath,
                           RegistryFileKind kind) {
  const RegistryStore registry(machine.State());
  std::vector<std::string> keys;
  if (keyPath.empty()) {
    for (const std::string& root : RegistryRoots()) {
      for (std::string& key : registry.Tree(root)) keys.push_back(std::move(key));
    }
  } else {
    if (!registry.FindKey(keyPath)) {
      throw MachineError("the machine has no registry key '" + std::string(keyPath) + "'");
    }
    keys = registry.Tree(keyPath);
  }
  SortDepthFirst(keys);
  const LineStyle style{kind, true};
  std::string text =
      std::string(kind == RegistryFileKind::Version5 ? kVersion5Header : kRegedit4Header) +
      "\r\n\r\n";
  for (const std::string& key : keys) {
    text += "[" + key + "]\r\n";
    for (const RegistryValue& value : registry.Values(key)) {
      text += ValueText(machine, value, style) + "\r\n";
    }
    text += "\r\n";
  }
  return FileText(machine, text, kind);
}

void ImportRegistry(const Machine& machine, std::string_view file) {
  const DecodedFile decoded = Decode(machine, file);
  const std::vector<Line> lines = LogicalLines(decoded.text);
  machine.State().Write([&](const Transaction&) {
    const RegistryStore registry(machine.State());
    bool headerSeen = false;
    std::optional<std::string> key;
    for (const Line& line : lines) {
      const std::string& t = line.text;
      if (t.empty() || t.front() == ';') continue;
      if (!headerSeen) {
        const std::string_view header = decoded.wideStrings ? kVersion5Header : kRegedit4Header;
        if (t != header) {
          Malformed(line, "the file must start with \"" + std::string(kVersion5Header) +
                              "\" or \"" + std::string(kRegedit4Header) + "\"");
        }
        headerSeen = true;
      } else if (t.front() == '[') {
        if (t.back() != ']') Malformed(line, "a key line must end with ']'");
        const bool remove = t.size() > 2 && t[1] == '-';
        const std::string path = KeyPathOf(
            line, std::string_view(t).substr(remove ? 2 : 1, t.size() - (remove ? 3 : 2)));
        if (remove && path.find('\\') == std::string::npos) {
          Malformed(line, "a root key cannot be deleted");
        }
        if (remove) {
          registry.DeleteTree(path);
          key.reset();
        } else {
          key = registry.CreateKey(path);
        }
      } else {
        if (!key) Malformed(line, "a value must follow a key");
        std::size_t at = 0;
        std::string name;
        if (t.front() == '@') {
          at = 1;
        } else if (t.front() == '"') {
          name = Unquote(line, at);
        } else {
          Malformed(line, "a value line must start with \"name\" or @");
        }
        if (const auto beyond = ValueNameBeyondLimits(name)) Malformed(line, *beyond);
        if (at >= t.size() || t[at] != '=') Malformed(line, "'=' must follow the value's name");
        if (auto value =
                ParseData(machine, decoded, line, name, std::string_view(t).substr(at + 1))) {
          registry.SetValue(*key, *value);
        } else {
          registry.DeleteValue(*key, name);
        }
      }
    }
    if (!headerSeen) throw std::invalid_argument("the file is empty");
  });
}

}  // namespace lyn::sim
