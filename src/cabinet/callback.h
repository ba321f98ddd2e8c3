// Callback: the module behind the cabinet iteration service's callback. It
// holds the current cabinet object, hands each notification to it, and
// offers the path operations its handlers use.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/api/platform.h"

namespace lyn {

class CabFile;

namespace Callback {

// Makes `cabinet` the object the next notifications go to. Nothing clears it.
void SetCurrentCabinet(std::shared_ptr<CabFile> cabinet);

// The function handed to the service: the current object's CabCallBack, or 0
// when there is none.
win::UINT LYN_CALLBACK CabinetCallback(win::LPVOID context, win::UINT notification,
                                       win::UINT_PTR param1, win::UINT_PTR param2);

// The path itself when it ends with "\", else the path followed by "\".
std::string WithBackslash(const std::string& path);

// The folder part (up to and including the last "\", empty when none) and
// the name after it.
std::pair<std::string, std::string> SplitPath(const std::string& path);

// Creates `folder` and any missing parents; true when it exists afterwards
// or access to it is refused, false when it cannot be made.
bool MakeDirectories(Platform& platform, const std::string& folder);

}  // namespace Callback
}  // namespace lyn
