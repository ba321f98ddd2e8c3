// cNTFS: the security object of the setup window. Its volume test tells
// whether the current volume keeps access lists; its grants (added with the
// permission work) open folders and keys to the local Users group.
#pragma once

#include "platform/api/platform.h"

namespace lyn {

class cNTFS {
 public:
  explicit cNTFS(Platform& platform) : platform_(platform) {}

  // True when the volume of the process's current directory uses NTFS.
  bool IsNTFS();

 private:
  Platform& platform_;
};

}  // namespace lyn
