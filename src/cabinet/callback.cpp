#include "cabinet/callback.h"

#include <vector>

#include "cabinet/cab_file.h"
#include "common/module_state.h"
#include "sysinfo/ansi_text.h"

namespace lyn::Callback {
namespace {

// How the folder-creation statement sorts the platform's failures.
enum class MakeResult { Made, AccessError, PathNotFound, OtherError };

MakeResult MakeFolder(Platform& platform, const std::string& folder) {
  if (platform.kernel32.CreateDirectoryA(ToAnsi(platform.kernel32, folder).c_str(), nullptr)) {
    return MakeResult::Made;
  }
  switch (platform.kernel32.GetLastError()) {
    case win::ERROR_ACCESS_DENIED:
    case win::ERROR_FILE_EXISTS:
    case win::ERROR_ALREADY_EXISTS:
      return MakeResult::AccessError;
    case win::ERROR_FILE_NOT_FOUND:
    case win::ERROR_PATH_NOT_FOUND:
      return MakeResult::PathNotFound;
    default:
      return MakeResult::OtherError;
  }
}

std::vector<std::string> SplitParts(const std::string& folder) {
  std::vector<std::string> parts(1);
  for (const char c : folder) {
    if (c == '\\') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

std::string JoinParts(const std::vector<std::string>& parts, int last) {
  // A folder beginning with "\" has an empty part 0, whose text is "\".
  if (last == 0 && parts[0].empty()) return "\\";
  std::string text = parts[0];
  for (int i = 1; i <= last; ++i) text += "\\" + parts[static_cast<std::size_t>(i)];
  return text;
}

}  // namespace

void SetCurrentCabinet(std::shared_ptr<CabFile> cabinet) {
  CurrentCabinet = std::move(cabinet);
}

win::UINT LYN_CALLBACK CabinetCallback(win::LPVOID context, win::UINT notification,
                                       win::UINT_PTR param1, win::UINT_PTR param2) {
  if (!CurrentCabinet) return 0;
  return CurrentCabinet->CabCallBack(
      static_cast<win::UINT>(reinterpret_cast<win::UINT_PTR>(context)), notification, param1,
      param2);
}

std::string WithBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + "\\";
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const auto last = path.rfind('\\');
  if (last == std::string::npos) return {"", path};
  return {path.substr(0, last + 1), path.substr(last + 1)};
}

bool MakeDirectories(Platform& platform, const std::string& folder) {
  if (folder.empty()) return false;
  std::string path = folder;
  if (path.back() == '\\') path.pop_back();

  switch (MakeFolder(platform, path)) {
    case MakeResult::Made:
    case MakeResult::AccessError:
      return true;
    case MakeResult::OtherError:
      return false;
    case MakeResult::PathNotFound:
      break;
  }

  const std::vector<std::string> parts = SplitParts(path);
  const int n = static_cast<int>(parts.size());

  // Upward: find the deepest ancestor that exists or can be made.
  int k = n - 2;
  for (; k >= 0; --k) {
    const MakeResult result = MakeFolder(platform, JoinParts(parts, k));
    if (result == MakeResult::Made || result == MakeResult::AccessError) break;
    if (result == MakeResult::OtherError) return false;
  }

  // Downward: make each folder below it.
  std::string text = k >= 0 ? JoinParts(parts, k) : std::string();
  for (int j = k + 1; j <= n - 1; ++j) {
    text += (j == 0 ? "" : "\\") + parts[static_cast<std::size_t>(j)];
    if (MakeFolder(platform, text) != MakeResult::Made) return false;
  }
  return true;
}

}  // namespace lyn::Callback
