// Registry: the small registry operations the uninstall entry is made of.
// Each opens the key it needs, does one thing and closes the key again.
// Texts are UTF-8 here and ANSI on the platform. None reports a failure,
// apart from SetRegDwordLM's result.
#pragma once

#include <string>
#include <string_view>

#include "platform/api/platform.h"

namespace lyn {

// The value of an open key as text: a REG_SZ up to its first NUL, a
// REG_BINARY's first two bytes as a signed 16-bit number in decimal; empty
// for any other type or when the value cannot be read.
std::string ReadRegValue(Platform& platform, win::HKEY key, std::string_view name);
// ReadRegValue on a key opened for the purpose.
std::string GetRegValue(Platform& platform, win::HKEY root, std::string_view path,
                        std::string_view name);
// Writes a REG_SZ value, creating the key when needed.
void SetRegString(Platform& platform, win::HKEY root, std::string_view path, std::string_view name,
                  std::string_view text);
// Deletes a key that has no subkeys of its own.
void DeleteRegKey(Platform& platform, win::HKEY root, std::string_view parentPath,
                  std::string_view subkeyName);
// Writes a REG_DWORD value under HKEY_LOCAL_MACHINE, creating the key when
// needed; true when the value was written.
bool SetRegDwordLM(Platform& platform, std::string_view path, std::string_view name,
                   win::DWORD number);

}  // namespace lyn
