// Operations x rights: each file and folder operation of the emulated
// libraries asks for the rights Windows asks for, and fails as Windows
// fails. Wine does not enforce access lists, so these rows follow the
// documented rights instead: CreateFile asks for the rights it is given
// (FILE_WRITE_DATA for truncation), a new file or folder FILE_ADD_FILE or
// FILE_ADD_SUBDIRECTORY on its parent, a deletion or a move DELETE on the
// object or FILE_DELETE_CHILD on its parent, loading a library execute and
// read; a read-only file takes no writer and cannot be deleted, a read-only
// folder cannot be deleted but takes new entries (MS-FSCC), and the CD file
// system refuses every change as access denied. Share modes, and what
// missing folders, full folders and read-only files answer, are compared
// with Wine by the file differential test.
#include "platform/sim/files/file_layer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include "fakes/machine_platform.h"
#include "platform/sim/files/host_errors.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 0x4;

Profile WithCdDrive() {
  Profile profile;
  SetField(profile, "Drive.D", "CDFS");
  return profile;
}

class FileLayerTest : public ::testing::Test {
 protected:
  FileLayerTest() {
    for (const char* file :
         {"C:\\Data\\file.txt", "C:\\Data\\ro.txt", "C:\\NoWrite\\file.txt", "C:\\NoRead\\file.dll",
          "C:\\NoDelete\\file.txt", "C:\\ChildDelete\\file.txt", "C:\\RoFolder\\file.txt",
          "D:\\setup.exe"}) {
      m_.PutFile(file, "bytes");
    }
    for (const char* folder : {"C:\\Data\\Empty", "C:\\NoAdd", "C:\\NoDelete\\Empty"}) {
      m_.MakeFolder(folder);
    }
    m_.SetAttributes("C:\\Data\\ro.txt", FILE_ATTRIBUTE_READONLY);
    m_.SetAttributes("C:\\RoFolder", FILE_ATTRIBUTE_READONLY);
    m_.DenyEveryone("C:\\NoAdd", FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY);
    m_.DenyEveryone("C:\\NoWrite\\file.txt", FILE_WRITE_DATA | FILE_APPEND_DATA);
    m_.DenyEveryone("C:\\NoRead\\file.dll", FILE_READ_DATA);
    m_.DenyEveryone("C:\\NoDelete", FILE_DELETE_CHILD);
    m_.DenyEveryone("C:\\NoDelete\\file.txt", DELETE);
    m_.DenyEveryone("C:\\NoDelete\\Empty", DELETE);
    m_.DenyEveryone("C:\\ChildDelete\\file.txt", DELETE);
  }

  // The call's result (true for success) and its last error.
  std::pair<bool, DWORD> Check(const std::function<bool()>& call) {
    k_.SetLastError(0xDEADBEEF);
    const bool succeeded = call();
    return {succeeded, succeeded ? ERROR_SUCCESS : k_.GetLastError()};
  }
  std::function<bool()> Open(const char* path, DWORD access, DWORD creation) {
    return [=, this] {
      const HANDLE file = k_.CreateFileA(path, access, 0, nullptr, creation, 0, 0);
      if (file == INVALID_HANDLE_VALUE) return false;
      k_.CloseHandle(file);
      return true;
    };
  }
  std::function<bool()> Delete(const char* path) {
    return [=, this] { return k_.DeleteFileA(path) != FALSE; };
  }
  std::function<bool()> RemoveFolder(const char* path) {
    return [=, this] { return k_.RemoveDirectoryA(path) != FALSE; };
  }
  std::function<bool()> MakeFolder(const char* path) {
    return [=, this] { return k_.CreateDirectoryA(path, nullptr) != FALSE; };
  }
  std::function<bool()> Move(const char* from, const char* to, DWORD flags = 0) {
    return [=, this] { return k_.MoveFileExA(from, to, flags) != FALSE; };
  }
  std::function<bool()> Load(const char* path) {
    return [=, this] { return m_.platform().library.LoadLibraryA(path) != 0; };
  }

  fakes::MachinePlatform m_{WithCdDrive()};
  Kernel32& k_ = m_.platform().kernel32;
};

TEST_F(FileLayerTest, EachOperationAsksForTheRightsWindowsAsksFor) {
  const struct {
    const char* what;
    std::function<bool()> call;
    bool succeeds;
    DWORD error;
  } rows[] = {
      // Opening and creating.
      {"read a plain file", Open("C:\\Data\\file.txt", GENERIC_READ, OPEN_EXISTING), true, 0},
      {"write without FILE_WRITE_DATA", Open("C:\\NoWrite\\file.txt", GENERIC_WRITE, OPEN_EXISTING),
       false, ERROR_ACCESS_DENIED},
      {"truncate without FILE_WRITE_DATA",
       Open("C:\\NoWrite\\file.txt", GENERIC_READ, TRUNCATE_EXISTING), false, ERROR_ACCESS_DENIED},
      {"read without FILE_WRITE_DATA", Open("C:\\NoWrite\\file.txt", GENERIC_READ, OPEN_EXISTING),
       true, 0},
      {"read without FILE_READ_DATA", Open("C:\\NoRead\\file.dll", GENERIC_READ, OPEN_EXISTING),
       false, ERROR_ACCESS_DENIED},
      {"write a read-only file", Open("C:\\Data\\ro.txt", GENERIC_WRITE, OPEN_EXISTING), false,
       ERROR_ACCESS_DENIED},
      {"create without FILE_ADD_FILE", Open("C:\\NoAdd\\new.txt", GENERIC_WRITE, CREATE_NEW), false,
       ERROR_ACCESS_DENIED},
      {"create in a read-only folder", Open("C:\\RoFolder\\new.txt", GENERIC_WRITE, CREATE_NEW),
       true, 0},
      {"create on a CD", Open("D:\\new.txt", GENERIC_WRITE, CREATE_NEW), false,
       ERROR_ACCESS_DENIED},
      {"write on a CD", Open("D:\\setup.exe", GENERIC_WRITE, OPEN_EXISTING), false,
       ERROR_ACCESS_DENIED},
      {"read on a CD", Open("D:\\setup.exe", GENERIC_READ, OPEN_EXISTING), true, 0},
      {"open a folder", Open("C:\\Data\\Empty", GENERIC_READ, OPEN_EXISTING), false,
       ERROR_ACCESS_DENIED},
      // Folders.
      {"make a folder without FILE_ADD_SUBDIRECTORY", MakeFolder("C:\\NoAdd\\Sub"), false,
       ERROR_ACCESS_DENIED},
      {"make a folder on a CD", MakeFolder("D:\\Sub"), false, ERROR_ACCESS_DENIED},
      {"make a drive root", MakeFolder("C:\\"), false, ERROR_ACCESS_DENIED},
      {"remove without DELETE or FILE_DELETE_CHILD", RemoveFolder("C:\\NoDelete\\Empty"), false,
       ERROR_ACCESS_DENIED},
      {"remove a read-only folder", RemoveFolder("C:\\RoFolder"), false, ERROR_ACCESS_DENIED},
      // Deleting.
      {"delete without DELETE or FILE_DELETE_CHILD", Delete("C:\\NoDelete\\file.txt"), false,
       ERROR_ACCESS_DENIED},
      {"delete with FILE_DELETE_CHILD only", Delete("C:\\ChildDelete\\file.txt"), true, 0},
      {"delete from a read-only folder", Delete("C:\\RoFolder\\file.txt"), true, 0},
      {"delete a folder as a file", Delete("C:\\Data\\Empty"), false, ERROR_ACCESS_DENIED},
      {"delete on a CD", Delete("D:\\setup.exe"), false, ERROR_ACCESS_DENIED},
      {"delete a missing file", Delete("C:\\Data\\gone.txt"), false, ERROR_FILE_NOT_FOUND},
      {"delete in a missing folder", Delete("C:\\Gone\\file.txt"), false, ERROR_PATH_NOT_FOUND},
      // Moving.
      {"move without DELETE", Move("C:\\NoDelete\\file.txt", "C:\\Data\\moved.txt"), false,
       ERROR_ACCESS_DENIED},
      {"move into a folder without FILE_ADD_FILE",
       Move("C:\\Data\\file.txt", "C:\\NoAdd\\file.txt"), false, ERROR_ACCESS_DENIED},
      {"move to another drive", Move("C:\\Data\\file.txt", "D:\\file.txt"), false,
       ERROR_NOT_SAME_DEVICE},
      {"move at the next restart", Move("C:\\Data\\file.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT),
       false, ERROR_NOT_SUPPORTED},
      // Loading a library reads and executes it.
      {"load without FILE_READ_DATA", Load("C:\\NoRead\\file.dll"), false, ERROR_ACCESS_DENIED},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Check(row.call), std::make_pair(row.succeeds, row.error)) << row.what;
  }
  EXPECT_EQ(m_.ReadFile("C:\\NoWrite\\file.txt"), "bytes") << "nothing truncated";
  EXPECT_TRUE(m_.Exists("C:\\Data\\file.txt")) << "nothing moved";
}

// What the machine keeps per path goes with a deleted file or folder: what
// is made again at its path starts with no attributes of its own and the
// parent's inherited list, not the old entry's marks and explicit entries.
TEST_F(FileLayerTest, AFileMadeAgainInheritsNothingFromTheDeletedOne) {
  const char* file = "C:\\RoFolder\\file.txt";
  m_.SetAttributes(file, FILE_ATTRIBUTE_HIDDEN);
  m_.DenyEveryone(file, FILE_WRITE_DATA);
  ASSERT_TRUE(k_.DeleteFileA(file));
  EXPECT_TRUE(Check(Open(file, GENERIC_WRITE, CREATE_NEW)).first);
  EXPECT_EQ(m_.machine().Attributes(file), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(Check(Open(file, GENERIC_WRITE, OPEN_EXISTING)).first) << "no old deny entry";

  m_.SetAttributes("C:\\Data\\Empty", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(k_.RemoveDirectoryA("C:\\Data\\Empty"));
  ASSERT_TRUE(k_.CreateDirectoryA("C:\\Data\\Empty", nullptr));
  EXPECT_EQ(m_.machine().Attributes("C:\\Data\\Empty"), FILE_ATTRIBUTE_DIRECTORY);
}

// A handle counts for every process of the machine while its process lives:
// a second process meets its share mode, and a process killed with the file
// open leaves it locked no longer.
TEST_F(FileLayerTest, AnotherProcessesHandleCountsWhileItLives) {
  // A read that found no handle before the other process opened the file.
  Version& version = m_.platform().version;
  EXPECT_EQ(version.GetFileVersionInfoSizeA("C:\\Data\\file.txt", nullptr), 0u);
  EXPECT_EQ(k_.GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const FileLayer files(m_.machine());
    OpenedFile held;
    const DWORD error = files.Open(m_.machine().Resolve("C:\\Data\\file.txt"), GENERIC_WRITE, 0,
                                   OPEN_EXISTING, 0, held);
    (void)!write(ready[1], &error, sizeof error);
    pause();  // killed by the test
    _exit(0);
  }
  DWORD childError = 1;
  ASSERT_EQ(read(ready[0], &childError, sizeof childError),
            static_cast<ssize_t>(sizeof childError));
  ASSERT_EQ(childError, ERROR_SUCCESS);
  EXPECT_EQ(Check(Open("C:\\Data\\file.txt", GENERIC_READ, OPEN_EXISTING)),
            std::make_pair(false, ERROR_SHARING_VIOLATION));
  EXPECT_EQ(Check(Delete("C:\\Data\\file.txt")), std::make_pair(false, ERROR_SHARING_VIOLATION));
  EXPECT_EQ(version.GetFileVersionInfoSizeA("C:\\Data\\file.txt", nullptr), 0u);
  EXPECT_EQ(k_.GetLastError(), ERROR_FILE_NOT_FOUND) << "the file is held without sharing";
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(Check(Delete("C:\\Data\\file.txt")), std::make_pair(true, DWORD{ERROR_SUCCESS}));
  for (const int fd : ready) close(fd);
}

}  // namespace
}  // namespace lyn::sim
