#include "uninstall/path_names.h"

#include <algorithm>

namespace lyn::uninstall {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDriveRoot(std::string_view path) {
  const char drive = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
  return path.size() >= 3 && drive >= 'a' && drive <= 'z' && path[1] == ':' && path[2] == '\\';
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsAbsolutePath(std::string_view path) {
  if (path.size() < 4 || !IsDriveRoot(path)) return false;
  std::string_view rest = path.substr(3);
  while (true) {
    const std::size_t end = rest.find('\\');
    const std::string_view name = rest.substr(0, end);
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
      if (static_cast<unsigned char>(c) < 0x20 ||
          std::string_view("/:*?\"<>|").find(c) != std::string_view::npos) {
        return false;
      }
    }
    if (end == std::string_view::npos) return true;
    rest = rest.substr(end + 1);
  }
}

std::string_view ChildName(std::string_view path, std::string_view folder) {
  if (folder.empty() || !IsBelow(path, folder)) return {};
  const std::string_view name = path.substr(folder.size() + 1);
  return name.find('\\') == std::string_view::npos ? name : std::string_view{};
}

std::string_view LastName(std::string_view path) {
  return path.substr(path.rfind('\\') + 1);
}

std::string InFolder(std::string_view folder, std::string_view name) {
  return std::string(folder).append("\\").append(name);
}

bool IsBelow(std::string_view path, std::string_view folder) {
  // A drive root keeps its "\" ("C:\"); any other folder is followed by one.
  const std::size_t prefix = folder.ends_with('\\') ? folder.size() : folder.size() + 1;
  return path.size() > prefix && SameName(path.substr(0, folder.size()), folder) &&
         path[prefix - 1] == '\\';
}

}  // namespace lyn::uninstall
