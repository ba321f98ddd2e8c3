#include "sysinfo/shell_file_operation.h"

#include <string>

#include "sysinfo/ansi_text.h"

namespace lyn {

namespace {

// The request record and the path lists it points to, refilled by each call.
win::SHFILEOPSTRUCTA request{};
std::string sourceList;
std::string destinationList;

// A list of one path: the path, then the NUL that ends it and the NUL that
// ends the list.
std::string SinglePathList(win::Kernel32& kernel32, std::string_view path) {
  std::string list = ToAnsi(kernel32, path);
  list.append(2, '\0');
  return list;
}

}  // namespace

int ShellFileOperation(Platform& platform, std::string_view source, std::string_view destination,
                       win::UINT operation) {
  sourceList = SinglePathList(platform.kernel32, source);
  destinationList = SinglePathList(platform.kernel32, destination);

  request = {};
  request.hwnd = 0;
  request.wFunc = operation;
  request.pFrom = sourceList.c_str();
  request.pTo = destinationList.c_str();
  request.fFlags = AllowUndo ? win::FOF_ALLOWUNDO : win::FOF_NOCONFIRMATION;
  request.lpszProgressTitle = "";
  return platform.shell32.SHFileOperationA(&request);
}

}  // namespace lyn
