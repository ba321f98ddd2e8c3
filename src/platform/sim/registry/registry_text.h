// The registry in the registry editor's text format ("Windows Registry
// Editor Version 5.00"): keys in brackets, each followed by its values, one
// "name"=data line each.
//
//   "text"=string with \\ and \" escaped      REG_SZ
//   dword:0000abcd                             REG_DWORD
//   hex:01,02                                  REG_BINARY
//   hex(2):41,00,00,00                         REG_EXPAND_SZ (UTF-16LE bytes)
//   hex(7):41,00,00,00,00,00                   REG_MULTI_SZ (UTF-16LE bytes)
//   hex(1):61,00,00,00                         REG_SZ as UTF-16LE bytes (import only)
//   hex(N):..                                  any other type N
//
// "@" names a key's default value. On import "[-KEY]" deletes a key with
// everything below it and "name"=- deletes a value; a line ending in "\"
// continues on the next. Key paths start with a root spelt long or short
// (HKEY_LOCAL_MACHINE or HKLM). Strings are UTF-8 in the text and in the
// machine's ANSI code page in the registry, as the ANSI functions store them.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {

// The key at `keyPath` with every key below it, or the whole registry when
// `keyPath` is empty. Throws MachineError when the key does not exist.
std::string ExportRegistry(const Machine& machine, std::string_view keyPath);

// One value as its line in that format, without the line end.
std::string ValueLine(const Machine& machine, const RegistryValue& value);

// Applies a file in that format to the machine's registry, in one
// transaction. Throws std::invalid_argument naming the line for a malformed
// text; nothing is changed then.
void ImportRegistry(const Machine& machine, std::string_view text);

}  // namespace lyn::sim
