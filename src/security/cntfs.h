// cNTFS: the security object of the setup window. Its volume test tells
// whether the current volume keeps access lists; its grants give the local
// Users group full control over a folder or a registry key.
#pragma once

#include <string>

#include "platform/api/platform.h"

namespace lyn {

class cNTFS {
 public:
  explicit cNTFS(Platform& platform) : platform_(platform) {}

  // Local name of the built-in Users group, as found by the last grant;
  // empty before.
  std::string nameLocalUsers;

  // True when the volume of the process's current directory uses NTFS.
  bool IsNTFS();
  // Grants the Users group full control over a folder, passed on to all its
  // sub-folders and files. 0 when the list was written, the failing step's
  // platform error otherwise, 4 when the path is not an existing folder.
  win::DWORD FreeFolder(const std::string& FolderPath);
  // The same for a key under HKEY_LOCAL_MACHINE ("Software").
  win::DWORD FreeKeyLM(const std::string& sKey);
  // The local name of the built-in Users group (S-1-5-32-545), or empty.
  std::string GetLocaleForUsers();

 private:
  // objectKind 1: a folder; 2: a registry key named "MACHINE\...".
  win::DWORD GrantLocalUsers(const std::string& objectName, int objectKind);
  // True when the path's attributes carry the directory bit; lets the window
  // process its pending messages once first.
  bool IsFolder(const std::string& path);

  Platform& platform_;
};

}  // namespace lyn
