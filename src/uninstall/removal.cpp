#include "uninstall/removal.h"

#include "sysinfo/ansi_text.h"

namespace lyn::uninstall {
namespace {

bool IsGone(win::DWORD error) {
  return error == win::ERROR_FILE_NOT_FOUND || error == win::ERROR_PATH_NOT_FOUND;
}

// Why a file or folder could not be removed, in the user's words.
std::string Reason(win::Kernel32& kernel32, const std::string& ansiPath, win::DWORD error) {
  switch (error) {
    case win::ERROR_SHARING_VIOLATION:
      return "in use";
    case win::ERROR_DIR_NOT_EMPTY:
      return "not empty";
    case win::ERROR_WRITE_PROTECT:
      return "write-protected";
    case win::ERROR_ACCESS_DENIED: {
      const win::DWORD attributes = kernel32.GetFileAttributesA(ansiPath.c_str());
      const bool readOnly = attributes != win::INVALID_FILE_ATTRIBUTES &&
                            (attributes & win::FILE_ATTRIBUTE_READONLY) != 0;
      return readOnly ? "read-only" : "access denied";
    }
    default:
      return "error " + std::to_string(error);
  }
}

class Remover {
 public:
  explicit Remover(Platform& platform)
      : kernel32_(platform.kernel32), registry_(platform.registry) {}

  void Do(const Step& step) {
    const std::string ansi = ToAnsi(kernel32_, step.path);
    switch (step.action) {
      case Action::DeleteFile:
        if (!kernel32_.DeleteFileA(ansi.c_str())) Left(step.path, ansi, kernel32_.GetLastError());
        break;
      case Action::RemoveFolder:
        if (!kernel32_.RemoveDirectoryA(ansi.c_str())) {
          Left(step.path, ansi, kernel32_.GetLastError());
        }
        break;
      case Action::DeleteUninstallEntry: {
        const win::DWORD status = DeleteUninstallEntry(registry_, step.path);
        if (status != win::ERROR_SUCCESS && !IsGone(status)) {
          productLeft_ = true;
          result_.left.push_back(
              {"HKEY_LOCAL_MACHINE\\" + step.path, status == win::ERROR_ACCESS_DENIED
                                                       ? "access denied"
                                                       : "error " + std::to_string(status)});
        }
        break;
      }
      case Action::DeleteSelf:
        DeleteSelf(step.path, ansi);
        break;
    }
  }

  RemovalResult Result() { return std::move(result_); }
  // Whether something the product placed is still there; a folder that
  // only a user's file keeps is not the product's.
  bool ProductLeft() const { return productLeft_; }
  void Unfinished() { result_.unfinished = true; }

 private:
  void Left(const std::string& path, const std::string& ansi, win::DWORD error) {
    if (IsGone(error)) return;
    result_.left.push_back({path, Reason(kernel32_, ansi, error)});
    productLeft_ = productLeft_ || error != win::ERROR_DIR_NOT_EMPTY;
  }

  // A program's file cannot be deleted while it runs; the platform then
  // deletes it at the next restart instead.
  void DeleteSelf(const std::string& path, const std::string& ansi) {
    if (kernel32_.DeleteFileA(ansi.c_str())) return;
    const win::DWORD error = kernel32_.GetLastError();
    if (IsGone(error)) return;
    if (error != win::ERROR_ACCESS_DENIED && error != win::ERROR_SHARING_VIOLATION) {
      Left(path, ansi, error);
    } else if (kernel32_.MoveFileExA(ansi.c_str(), nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT)) {
      result_.atRestart.push_back(path);
    } else {
      Left(path, ansi, error);
    }
  }

  win::Kernel32& kernel32_;
  win::Advapi32Registry& registry_;
  RemovalResult result_;
  bool productLeft_ = false;
};

}  // namespace

win::DWORD DeleteUninstallEntry(win::Advapi32Registry& registry, std::string_view keyPath) {
  win::HKEY key = 0;
  const win::LONG found = registry.RegOpenKeyExA(
      win::HKEY_LOCAL_MACHINE, std::string(keyPath).c_str(), 0, win::KEY_READ, &key);
  if (found == 0) registry.RegCloseKey(key);
  if (found == win::ERROR_FILE_NOT_FOUND) return win::ERROR_FILE_NOT_FOUND;
  const std::size_t slash = keyPath.rfind('\\');
  const std::string parentPath(keyPath.substr(0, slash));
  const std::string name(keyPath.substr(slash + 1));
  win::HKEY parent = 0;
  const win::LONG opened = registry.RegOpenKeyExA(win::HKEY_LOCAL_MACHINE, parentPath.c_str(), 0,
                                                  win::KEY_ALL_ACCESS, &parent);
  if (opened != 0) return static_cast<win::DWORD>(opened);
  const win::LONG deleted = registry.RegDeleteKeyA(parent, name.c_str());
  registry.RegCloseKey(parent);
  return static_cast<win::DWORD>(deleted);
}

RemovalResult CarryOut(Platform& platform, const RemovalPlan& plan) {
  Remover remover(platform);
  // The plan ends with the uninstaller's own file, its log and the entry,
  // each going only while nothing of the product is left before it.
  bool tail = false;
  for (const Step& step : plan.steps) {
    tail = tail || step.action == Action::DeleteSelf;
    if (tail && remover.ProductLeft()) break;
    remover.Do(step);
  }
  if (remover.ProductLeft()) remover.Unfinished();
  return remover.Result();
}

}  // namespace lyn::uninstall
