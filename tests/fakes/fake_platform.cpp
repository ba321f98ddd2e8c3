#include "fakes/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lyn::fakes {
namespace {

// Copies a text into a caller's buffer the way the directory queries do:
// the length without NUL when it fits, otherwise the size needed.
win::UINT CopyOut(const std::string& text, win::LPSTR buffer, win::UINT size) {
  if (text.size() + 1 > size) return static_cast<win::UINT>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<win::UINT>(text.size());
}

}  // namespace

win::BOOL FakeKernel32::GetVersionExA(win::OSVERSIONINFOA* info) {
  const bool extended = info->dwOSVersionInfoSize == sizeof(win::OSVERSIONINFOEXA);
  if (failVersionQuery || (extended && failExtendedQuery)) return win::FALSE;
  const win::DWORD size = info->dwOSVersionInfoSize;
  std::memcpy(info, &version, extended ? sizeof(win::OSVERSIONINFOEXA) : sizeof(*info));
  info->dwOSVersionInfoSize = size;
  return win::TRUE;
}

win::BOOL FakeKernel32::IsWow64Process(win::HANDLE, win::BOOL* result) {
  if (failWow64Query) return win::FALSE;
  *result = wow64;
  return win::TRUE;
}

void FakeKernel32::GetSystemInfo(win::SYSTEM_INFO* info) {
  *info = {};
  info->wProcessorArchitecture = processArchitecture;
}

void FakeKernel32::GetNativeSystemInfo(win::SYSTEM_INFO* info) {
  *info = {};
  info->wProcessorArchitecture = nativeArchitecture;
}

win::BOOL FakeKernel32::GetProductInfo(win::DWORD, win::DWORD, win::DWORD, win::DWORD,
                                       win::DWORD* type) {
  *type = productType;
  return productType != 0;
}

win::UINT FakeKernel32::GetSystemDirectoryA(win::LPSTR buffer, win::UINT size) {
  return CopyOut(systemDirectory, buffer, size);
}

win::UINT FakeKernel32::GetWindowsDirectoryA(win::LPSTR buffer, win::UINT size) {
  return CopyOut(windowsDirectory, buffer, size);
}

win::DWORD FakeKernel32::GetTempPathA(win::DWORD size, win::LPSTR buffer) {
  return CopyOut(tempPath, buffer, size);
}

win::BOOL FakeKernel32::GetVolumeInformationA(win::LPCSTR, win::LPSTR, win::DWORD, win::DWORD*,
                                              win::DWORD*, win::DWORD*, win::LPSTR name,
                                              win::DWORD nameSize) {
  if (volumeQueryFails) return win::FALSE;
  CopyOut(fileSystemName, name, nameSize);
  return win::TRUE;
}

int FakeKernel32::MultiByteToWideChar(win::UINT, win::DWORD, win::LPCSTR text, int length,
                                      char16_t* wide, int wideSize) {
  if (wide == nullptr || wideSize == 0) return length;
  const int count = std::min(wideSize, length);
  for (int i = 0; i < count; ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return count;
}

int FakeKernel32::WideCharToMultiByte(win::UINT, win::DWORD, const char16_t* wide, int length,
                                      win::LPSTR text, int size, win::LPCSTR, win::BOOL*) {
  if (text == nullptr || size == 0) return length;
  const int count = std::min(size, length);
  for (int i = 0; i < count; ++i) text[i] = static_cast<char>(wide[i]);
  return count;
}

win::HWND FakeUser32::CreateWindowExA(win::DWORD, win::LPCSTR className, win::LPCSTR windowName,
                                      win::DWORD) {
  windows.push_back({className, windowName});
  return windows.size();
}

win::BOOL FakeUser32::EnumWindows(win::WNDENUMPROC callback, win::LPARAM param) {
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (!callback(i + 1, param)) break;
  }
  return win::TRUE;
}

namespace {

int CopyWindowText(const std::vector<FakeWindow>& windows, win::HWND window,
                   std::string FakeWindow::*field, win::LPSTR buffer, int size) {
  if (window == 0 || window > windows.size() || size <= 0) return 0;
  const std::string& text = windows[window - 1].*field;
  const int count = std::min(size - 1, static_cast<int>(text.size()));
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
  buffer[count] = '\0';
  return count;
}

}  // namespace

int FakeUser32::GetClassNameA(win::HWND window, win::LPSTR buffer, int size) {
  return CopyWindowText(windows, window, &FakeWindow::className, buffer, size);
}

int FakeUser32::GetWindowTextA(win::HWND window, win::LPSTR buffer, int size) {
  return CopyWindowText(windows, window, &FakeWindow::caption, buffer, size);
}

int FakeUser32::MessageBoxA(win::HWND, win::LPCSTR text, win::LPCSTR caption, win::UINT type) {
  boxes.push_back({text, caption, type});
  if (answers.empty()) throw std::logic_error("message box without a scripted answer");
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

win::HRESULT FakeShell32::SHGetFolderPathA(win::HWND, int folder, win::HANDLE, win::DWORD,
                                           win::LPSTR path) {
  const auto found = folders.find(folder);
  if (found == folders.end()) return win::E_INVALIDARG;
  std::strncpy(path, found->second.c_str(), win::MAX_PATH - 1);
  return win::S_OK;
}

ui::Form& NoWidgets::CreateForm(const ui::ControlDesign&, int, int) {
  throw std::logic_error("these tests use no window");
}

}  // namespace lyn::fakes
