#include "platform/sim/registry/registry_text.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/sim/machine/code_page.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

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

// Converts the bytes of a string value between the machine's ANSI code page
// (as stored) and UTF-16LE (as the text format writes expandable and
// multi-strings).
Bytes AnsiToUtf16(const Machine& machine, const Bytes& ansi) {
  const auto wide =
      DecodeText(machine.profile().AnsiCodePage,
                 std::string_view(reinterpret_cast<const char*>(ansi.data()), ansi.size()), false);
  Bytes bytes;
  for (const char16_t unit : wide.value_or(u"")) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

Bytes Utf16ToAnsi(const Machine& machine, const Bytes& utf16) {
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
    wide.push_back(static_cast<char16_t>(utf16[i] | (utf16[i + 1] << 8)));
  }
  const std::string ansi = EncodeText(machine.profile().AnsiCodePage, wide, "?")->bytes;
  return Bytes(ansi.begin(), ansi.end());
}

std::string HexList(const Bytes& bytes) {
  std::string list;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) list += ',';
    list += Hex(bytes[i], 2);
  }
  return list;
}

std::string ValueData(const Machine& machine, const RegistryValue& value) {
  const std::string raw(value.data.begin(), value.data.end());
  if (value.type == win::REG_SZ) {
    return Quote(machine.AnsiToUtf8(raw.substr(0, raw.find('\0'))));
  }
  if (value.type == win::REG_DWORD && value.data.size() == 4) {
    const auto& d = value.data;
    return "dword:" + Hex(static_cast<std::uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16)) |
                              (static_cast<std::uint32_t>(d[3]) << 24),
                          8);
  }
  if (value.type == win::REG_BINARY) return "hex:" + HexList(value.data);
  if (value.type == win::REG_EXPAND_SZ || value.type == win::REG_MULTI_SZ) {
    return "hex(" + Hex(value.type, 1) + "):" + HexList(AnsiToUtf16(machine, value.data));
  }
  return "hex(" + Hex(value.type, 1) + "):" + HexList(value.data);
}

// One logical line of a file being imported, with its number for messages.
struct Line {
  int number;
  std::string text;
};

std::vector<Line> LogicalLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
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

[[noreturn]] void Malformed(const Line& line, const std::string& why) {
  throw std::invalid_argument("line " + std::to_string(line.number) + ": " + why + ": " +
                              line.text);
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
      Malformed(line, "'" + item + "' is not a hexadecimal byte");
    }
    if (used != item.size() || byte > 0xFF) {
      Malformed(line, "'" + item + "' is not a hexadecimal byte");
    }
    bytes.push_back(static_cast<std::uint8_t>(byte));
    at = end + 1;
  }
  return bytes;
}

// The value a data text stands for; nullopt for "-", a deletion.
std::optional<RegistryValue> ParseData(const Machine& machine, const Line& line, std::string name,
                                       std::string_view data) {
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
      Malformed(line, "'" + digits + "' is not a 32-bit hexadecimal number");
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
    if (type.empty() || used != type.size()) Malformed(line, "'" + type + "' is not a type");
    value.data = ParseHexList(line, data.substr(close + 2));
    if (value.type == win::REG_SZ || value.type == win::REG_EXPAND_SZ ||
        value.type == win::REG_MULTI_SZ) {
      value.data = Utf16ToAnsi(machine, value.data);
    }
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
  return JoinKeyPath(components);
}

}  // namespace

std::string ValueLine(const Machine& machine, const RegistryValue& value) {
  return (value.name.empty() ? std::string("@") : Quote(value.name)) + "=" +
         ValueData(machine, value);
}

std::string ExportRegistry(const Machine& machine, std::string_view keyPath) {
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
  std::string text = std::string(kHeader) + "\n\n";
  for (const std::string& key : keys) {
    text += "[" + key + "]\n";
    for (const RegistryValue& value : registry.Values(key)) {
      text += ValueLine(machine, value) + "\n";
    }
    text += "\n";
  }
  return text;
}

void ImportRegistry(const Machine& machine, std::string_view text) {
  const std::vector<Line> lines = LogicalLines(text);
  machine.State().Write([&](const Transaction&) {
    const RegistryStore registry(machine.State());
    bool headerSeen = false;
    std::optional<std::string> key;
    for (const Line& line : lines) {
      const std::string& t = line.text;
      if (t.empty() || t.front() == ';') continue;
      if (!headerSeen) {
        if (t != kHeader)
          Malformed(line, "the file must start with \"" + std::string(kHeader) + "\"");
        headerSeen = true;
      } else if (t.front() == '[') {
        if (t.back() != ']') Malformed(line, "a key line must end with ']'");
        const bool remove = t.size() > 2 && t[1] == '-';
        const std::string path = KeyPathOf(
            line, std::string_view(t).substr(remove ? 2 : 1, t.size() - (remove ? 3 : 2)));
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
        if (at >= t.size() || t[at] != '=') Malformed(line, "'=' must follow the value's name");
        if (auto value = ParseData(machine, line, name, std::string_view(t).substr(at + 1))) {
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
