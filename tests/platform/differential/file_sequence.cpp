#include "platform/differential/file_sequence.h"

#include <string>

namespace lyn::differential {
namespace {

using namespace win;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr FILEOP_FLAGS FOF_SILENT = 0x0004;
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x0400;

class Sequence {
 public:
  Sequence(Kernel32& kernel32, Shell32& shell32, std::string root)
      : k_(kernel32), shell_(shell32), root_(std::move(root)) {}

  // A name in the root folder; the root itself for no name.
  std::string Path(const std::string& name) const {
    return name.empty() ? root_ : root_ + "\\" + name;
  }

  // A call returning BOOL: its result, and its last error when it failed.
  void Line(const std::string& call, BOOL result) {
    out_ += call + " " + std::to_string(result != FALSE);
    if (!result) out_.append(" ").append(std::to_string(k_.GetLastError()));
    out_ += "\n";
  }
  HANDLE Open(const std::string& call, const std::string& name, DWORD access, DWORD share,
              DWORD creation, DWORD attributes = 0) {
    k_.SetLastError(0);
    const HANDLE file =
        k_.CreateFileA(Path(name).c_str(), access, share, nullptr, creation, attributes, 0);
    out_ += call + " " + std::to_string(file != INVALID_HANDLE_VALUE) + " " +
            std::to_string(k_.GetLastError()) + "\n";
    return file;
  }
  // Opens and closes at once.
  void Try(const std::string& call, const std::string& name, DWORD access, DWORD share,
           DWORD creation, DWORD attributes = 0) {
    const HANDLE file = Open(call, name, access, share, creation, attributes);
    if (file != INVALID_HANDLE_VALUE) k_.CloseHandle(file);
  }
  // The shell's copy or delete, answering every question yes.
  void Shell(const std::string& call, UINT operation, const std::string& from,
             const std::string& to = "") {
    const std::string fromList = Path(from) + std::string(2, '\0');
    const std::string toList = (to.empty() ? std::string() : Path(to)) + std::string(2, '\0');
    k_.SetLastError(0);
    SHFILEOPSTRUCTA request{};
    request.wFunc = operation;
    request.pFrom = fromList.c_str();
    request.pTo = toList.c_str();
    request.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SILENT | FOF_NOERRORUI;
    const int result = shell_.SHFileOperationA(&request);
    out_ += call + " " + std::to_string(result) + " " +
            std::to_string(request.fAnyOperationsAborted != FALSE) + "\n";
  }
  void Exists(const std::string& name) {
    out_ += "exists " + name + " " +
            std::to_string(k_.GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES) +
            "\n";
  }
  void Write(HANDLE file) {
    DWORD written = 0;
    Line("write", k_.WriteFile(file, "abc", 3, &written, nullptr));
  }

  Kernel32& k_;
  Shell32& shell_;
  std::string root_;
  std::string out_;
};

}  // namespace

std::string RunFileSequence(Kernel32& kernel32, Shell32& shell32, const std::string& root) {
  Sequence s(kernel32, shell32, root);
  Kernel32& k = kernel32;
  s.Line("mkdir", k.CreateDirectoryA(root.c_str(), nullptr));
  s.Line("mkdir again", k.CreateDirectoryA(root.c_str(), nullptr));
  s.Line("mkdir below missing", k.CreateDirectoryA(s.Path("gone\\sub").c_str(), nullptr));

  // A writer sharing nothing refuses every other open, the deletion, the
  // move and the shell's copy of its file.
  const HANDLE writer = s.Open("create", "a.txt", GENERIC_WRITE, 0, CREATE_NEW);
  s.Write(writer);
  s.Try("read shared by all", "a.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
        OPEN_EXISTING);
  s.Line("delete", k.DeleteFileA(s.Path("a.txt").c_str()));
  s.Line("move", k.MoveFileExA(s.Path("a.txt").c_str(), s.Path("b.txt").c_str(), 0));
  s.Shell("shell copy", FO_COPY, "a.txt", "c.txt");
  s.Line("close", k.CloseHandle(writer));

  // A reader sharing reading only.
  const HANDLE reader = s.Open("read", "a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  s.Try("second reader", "a.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  s.Try("writer", "a.txt", GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  s.Try("reader sharing nothing", "a.txt", GENERIC_READ, 0, OPEN_EXISTING);
  s.Line("delete read", k.DeleteFileA(s.Path("a.txt").c_str()));
  s.Shell("shell copy read", FO_COPY, "a.txt", "c.txt");
  s.Shell("shell delete copy", FO_DELETE, "c.txt");
  s.Line("close", k.CloseHandle(reader));

  // A reader that shares deletion lets its file be renamed.
  const HANDLE lenient = s.Open("read sharing delete", "a.txt", GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
  s.Line("move shared", k.MoveFileExA(s.Path("a.txt").c_str(), s.Path("b.txt").c_str(), 0));
  s.Line("close", k.CloseHandle(lenient));
  s.Exists("a.txt");
  s.Exists("b.txt");

  s.Try("create existing", "b.txt", GENERIC_READ, 0, CREATE_NEW);
  s.Try("create below missing", "gone\\x.txt", GENERIC_WRITE, 0, CREATE_ALWAYS);
  s.Try("open missing", "none.txt", GENERIC_READ, 0, OPEN_EXISTING);
  s.Try("open always existing", "b.txt", GENERIC_WRITE, 0, OPEN_ALWAYS);
  s.Try("create always existing", "b.txt", GENERIC_WRITE, 0, CREATE_ALWAYS);
  s.Line("move onto existing", k.MoveFileExA(s.Path("b.txt").c_str(), s.Path("b.txt").c_str(), 0));

  // A read-only file refuses deletion; the shell, told yes,
  // deletes it and copies over it all the same.
  s.Try("create read-only", "ro.txt", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
  s.Line("delete read-only", k.DeleteFileA(s.Path("ro.txt").c_str()));
  s.Shell("shell copy over read-only", FO_COPY, "b.txt", "ro.txt");
  s.Shell("shell delete read-only", FO_DELETE, "ro.txt");
  s.Exists("ro.txt");

  s.Line("rmdir not empty", k.RemoveDirectoryA(root.c_str()));
  s.Line("rmdir a file", k.RemoveDirectoryA(s.Path("b.txt").c_str()));

  // The shell's deletion of a folder ends at a file held open.
  s.Line("mkdir sub", k.CreateDirectoryA(s.Path("sub").c_str(), nullptr));
  const HANDLE held = s.Open("hold", "sub\\held.txt", GENERIC_WRITE, 0, CREATE_NEW);
  s.Shell("shell copy onto held", FO_COPY, "b.txt", "sub\\held.txt");
  s.Shell("shell delete held", FO_DELETE, "sub");
  s.Exists("sub\\held.txt");
  s.Line("close", k.CloseHandle(held));
  s.Shell("shell delete all", FO_DELETE, "");
  s.Line("attributes of the removed folder",
         k.GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES);
  return s.out_;
}

}  // namespace lyn::differential
