// The registry in the registry editor's files: keys in brackets, each
// followed by its values, one "name"=data line each, lines ending in CR LF.
//
//   "text"=string with \\ and \" escaped      REG_SZ
//   dword:0000abcd                             REG_DWORD
//   hex:01,02                                  REG_BINARY
//   hex(2):41,00,00,00                         REG_EXPAND_SZ
//   hex(7):41,00,00,00,00,00                   REG_MULTI_SZ
//   hex(N):..                                  any other type N
//
// "@" names a key's default value. Two kinds of file:
// - "Windows Registry Editor Version 5.00": UTF-16LE with a byte-order mark;
//   hex(1), hex(2) and hex(7) data are UTF-16LE bytes.
// - "REGEDIT4": the machine's ANSI code page; those data are ANSI bytes.
// Written as the registry editor writes them: keys depth first, each key's
// subkeys in the registry's order (names compared in upper case), a hex list
// wrapped before column 80 with ",\" and continued after two blanks.
//
// On import "[-KEY]" deletes a key with everything below it and "name"=-
// deletes a value; a line ending in "\" continues on the next. Key paths start
// with a root spelt long or short (HKEY_LOCAL_MACHINE or HKLM); a root itself
// cannot be deleted. A file without a byte-order mark is read as UTF-8 unless
// it is a "REGEDIT4" file. Strings are stored in the machine's ANSI code page,
// as the ANSI functions store them.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/registry_store.h"

namespace lyn::sim {

enum class RegistryFileKind { Version5, Regedit4 };

// The bytes of a file holding the key at `keyPath` with every key below it,
// or the whole registry when `keyPath` is empty. Throws MachineError when the
// key does not exist.
std::string ExportRegistry(const Machine& machine, std::string_view keyPath,
                           RegistryFileKind kind = RegistryFileKind::Version5);

// One value as its line of a version 5 file, in UTF-8 and unwrapped.
std::string ValueLine(const Machine& machine, const RegistryValue& value);

// Applies a file of either kind to the machine's registry, in one
// transaction. Throws std::invalid_argument naming the line for a malformed
// file or one that breaks the registry's limits; nothing is changed then.
void ImportRegistry(const Machine& machine, std::string_view file);

}  // namespace lyn::sim
