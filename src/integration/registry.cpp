#include "integration/registry.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sysinfo/ansi_text.h"

namespace lyn {

std::string ReadRegValue(Platform& platform, win::HKEY key, std::string_view name) {
  const std::string ansiName = ToAnsi(platform.kernel32, name);
  win::DWORD type = 0;
  win::DWORD size = 0;
  if (platform.registry.RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, nullptr, &size) !=
      win::ERROR_SUCCESS) {
    return {};
  }
  if (type == win::REG_SZ) {
    std::string text(size, '\0');
    if (platform.registry.RegQueryValueExA(key, ansiName.c_str(), nullptr, nullptr,
                                           reinterpret_cast<win::BYTE*>(text.data()),
                                           &size) != win::ERROR_SUCCESS) {
      return {};
    }
    return FromAnsi(platform.kernel32, text.substr(0, text.find('\0')));
  }
  if (type == win::REG_BINARY) {
    std::vector<win::BYTE> bytes(std::max<win::DWORD>(size, 2), 0);
    if (platform.registry.RegQueryValueExA(key, ansiName.c_str(), nullptr, nullptr, bytes.data(),
                                           &size) != win::ERROR_SUCCESS) {
      return {};
    }
    const auto number = static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
    return std::to_string(number);
  }
  return {};
}

std::string GetRegValue(Platform& platform, win::HKEY root, std::string_view path,
                        std::string_view name) {
  win::HKEY key = 0;
  platform.registry.RegOpenKeyA(root, ToAnsi(platform.kernel32, path).c_str(), &key);
  std::string value = ReadRegValue(platform, key, name);
  platform.registry.RegCloseKey(key);
  return value;
}

void SetRegString(Platform& platform, win::HKEY root, std::string_view path, std::string_view name,
                  std::string_view text) {
  win::HKEY key = 0;
  platform.registry.RegCreateKeyA(root, ToAnsi(platform.kernel32, path).c_str(), &key);
  const std::string data = ToAnsi(platform.kernel32, text);
  platform.registry.RegSetValueExA(key, ToAnsi(platform.kernel32, name).c_str(), 0, win::REG_SZ,
                                   reinterpret_cast<const win::BYTE*>(data.c_str()),
                                   static_cast<win::DWORD>(data.size() + 1));
  platform.registry.RegCloseKey(key);
}

void DeleteRegKey(Platform& platform, win::HKEY root, std::string_view parentPath,
                  std::string_view subkeyName) {
  win::HKEY key = 0;
  platform.registry.RegOpenKeyExA(root, ToAnsi(platform.kernel32, parentPath).c_str(), 0,
                                  win::KEY_ALL_ACCESS, &key);
  platform.registry.RegDeleteKeyA(key, ToAnsi(platform.kernel32, subkeyName).c_str());
  platform.registry.RegCloseKey(key);
}

bool SetRegDwordLM(Platform& platform, std::string_view path, std::string_view name,
                   win::DWORD number) {
  win::HKEY key = 0;
  platform.registry.RegCreateKeyA(win::HKEY_LOCAL_MACHINE, ToAnsi(platform.kernel32, path).c_str(),
                                  &key);
  const win::BYTE data[4] = {static_cast<win::BYTE>(number), static_cast<win::BYTE>(number >> 8),
                             static_cast<win::BYTE>(number >> 16),
                             static_cast<win::BYTE>(number >> 24)};
  const win::LONG written = platform.registry.RegSetValueExA(
      key, ToAnsi(platform.kernel32, name).c_str(), 0, win::REG_DWORD, data, sizeof data);
  platform.registry.RegCloseKey(key);
  return written == win::ERROR_SUCCESS;
}

}  // namespace lyn
