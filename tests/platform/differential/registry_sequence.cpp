#include "platform/differential/registry_sequence.h"

#include <string>

namespace lyn::differential {

std::string RunRegistrySequence(win::Advapi32Registry& registry) {
  using namespace win;
  std::string out;
  const auto line = [&](const char* call, LONG result, const std::string& more = "") {
    out +=
        std::string(call) + " " + std::to_string(result) + (more.empty() ? "" : " " + more) + "\n";
  };
  HKEY key = 0;
  line("open missing", registry.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\LynDiff", &key));
  line("create", registry.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\LynDiff\\Sub", &key));
  const char text[] = "abc";
  line("set sz", registry.RegSetValueExA(key, "Name", 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(text), sizeof text));
  const BYTE number[4] = {0x10, 0x57, 0, 0};
  line("set dword", registry.RegSetValueExA(key, "Size", 0, REG_DWORD, number, sizeof number));
  DWORD type = 0;
  DWORD size = 0;
  // Each query's result is taken before what it filled in is printed.
  LONG result = registry.RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size);
  line("size", result, std::to_string(type) + " " + std::to_string(size));
  char small[2] = {};
  size = sizeof small;
  result = registry.RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(small),
                                     &size);
  line("small", result, std::to_string(size));
  char buffer[16] = {};
  size = sizeof buffer;
  result = registry.RegQueryValueExA(key, "NAME", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                     &size);
  line("read", result,
       std::string(buffer) + " " + std::to_string(type) + " " + std::to_string(size));
  size = sizeof buffer;
  result = registry.RegQueryValueExA(key, "size", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                     &size);
  line("dword", result, std::to_string(type) + " " + std::to_string(size));
  line("missing value",
       registry.RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, nullptr));
  line("close", registry.RegCloseKey(key));
  line("delete parent", registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LynDiff"));
  line("delete child", registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LynDiff\\Sub"));
  line("delete again", registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LynDiff\\Sub"));
  line("delete parent", registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\lyndiff"));
  // A handle outlives its deleted key, and a closed handle is refused.
  line("create again", registry.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\LynDiff", &key));
  line("delete open", registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LynDiff"));
  line("set deleted", registry.RegSetValueExA(key, "Name", 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(text), sizeof text));
  line("query deleted", registry.RegQueryValueExA(key, "Name", nullptr, nullptr, nullptr, nullptr));
  line("close deleted", registry.RegCloseKey(key));
  line("close again", registry.RegCloseKey(key));
  return out;
}

}  // namespace lyn::differential
