#include "platform/sim/machine/windows_path.h"

#include <cctype>
#include <string>

#include "platform/sim/machine/case_fold.h"
#include "platform/sim/machine/machine_error.h"
#include "platform/sim/machine/windows_names.h"

namespace lyn::sim {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

void CheckName(std::string_view name, std::string_view path) {
  for (const char c : name) {
    if (RefusedCharacter(c)) {
      throw MachineError("invalid character in the Windows path '" + std::string(path) + "'");
    }
  }
  if (name.size() > kMaxNameLength) {
    throw MachineError("a name in the Windows path '" + std::string(path) + "' is too long");
  }
  if (DeviceName(name)) {
    throw MachineError("the Windows path '" + std::string(path) + "' names a device");
  }
}

}  // namespace

std::string WindowsPath::Text() const {
  std::string text{drive, ':'};
  if (components.empty()) return text + '\\';
  for (const std::string& name : components) text.append(1, '\\').append(name);
  return text;
}

WindowsPath ParseWindowsPath(std::string_view path, const WindowsPath* current) {
  const auto quoted = [path] { return std::string(1, '\'').append(path).append(1, '\''); };
  if (path.empty()) throw MachineError("empty Windows path");
  if (path[0] == '/') {
    throw MachineError("host path " + quoted() + " is not a path of the machine");
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    throw MachineError("network and device path " + quoted() + " is not part of the machine");
  }
  WindowsPath result;
  std::string_view rest = path;
  const bool hasDrive =
      path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
  if (hasDrive) {
    result.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    rest.remove_prefix(2);
  }
  const bool rooted = !rest.empty() && IsSeparator(rest[0]);
  if (!rooted) {
    if (current == nullptr) throw MachineError("Windows path " + quoted() + " is not absolute");
    if (!hasDrive || result.drive == current->drive) result = *current;
  } else if (!hasDrive) {
    if (current == nullptr) throw MachineError("Windows path " + quoted() + " has no drive");
    result.drive = current->drive;
  }
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    std::string_view name = rest.substr(start, end - start);
    // Windows drops the dots and blanks that end the last name ("a.txt. "
    // is "a.txt"; a last name of dots and blanks alone goes whole), and the
    // one period that ends any other name ("x.\a" is "x\a", "x..\a" stays).
    if (name != "." && name != "..") {
      if (end == rest.size()) {
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
      } else if (name.size() >= 2 && name.back() == '.' && name[name.size() - 2] != '.') {
        name.remove_suffix(1);
      }
    }
    if (name == "..") {
      if (!result.components.empty()) result.components.pop_back();
    } else if (!name.empty() && name != ".") {
      CheckName(name, path);
      result.components.emplace_back(name);
    }
    start = end + 1;
  }
  return result;
}

bool IsAtOrBelow(const WindowsPath& path, const WindowsPath& folder) {
  if (path.drive != folder.drive || path.components.size() < folder.components.size()) {
    return false;
  }
  for (std::size_t i = 0; i < folder.components.size(); ++i) {
    if (!EqualFolded(path.components[i], folder.components[i])) return false;
  }
  return true;
}

}  // namespace lyn::sim
