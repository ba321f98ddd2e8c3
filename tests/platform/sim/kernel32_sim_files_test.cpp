// The file operations of the emulated kernel32: directory searches,
// attributes, and creating, writing and closing files.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/machine/scratch_machine.h"

namespace lyn::sim {
namespace {

using namespace win;
using Names = std::vector<std::string>;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD ERROR_WRITE_PROTECT = 19;

Profile WithCdDrive() {
  Profile profile;
  SetField(profile, "Drive.D", "CDFS");
  return profile;
}

class SimKernel32FilesTest : public ::testing::Test {
 protected:
  SimKernel32FilesTest() : m_(WithCdDrive()) {
    m_.PutFile("C:\\Distribution\\LYN.CAB", "cabinet");
    m_.PutFile("C:\\Distribution\\Readme", "read me");
    m_.PutFile("C:\\Distribution\\setup.exe", "");
    m_.PutFile("C:\\Distribution\\Setup.lst", "");
    m_.MakeFolder("C:\\Distribution\\Maps");
  }

  // Every entry a search returns, in order; the handle is closed afterwards.
  std::vector<WIN32_FIND_DATAA> Search(const char* pattern) {
    WIN32_FIND_DATAA data{};
    const HANDLE search = m_.kernel32.FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::vector<WIN32_FIND_DATAA> entries{data};
    while (m_.kernel32.FindNextFileA(search, &data)) entries.push_back(data);
    EXPECT_EQ(m_.kernel32.GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_EQ(m_.kernel32.CloseHandle(search), FALSE) << "a search is closed with FindClose";
    EXPECT_EQ(m_.kernel32.FindClose(search), TRUE);
    EXPECT_EQ(m_.kernel32.FindClose(search), FALSE);
    return entries;
  }
  Names SearchNames(const char* pattern) {
    Names names;
    for (const auto& entry : Search(pattern)) names.emplace_back(entry.cFileName);
    return names;
  }

  HANDLE Create(const char* path, DWORD access, DWORD creation, DWORD flags = 0) {
    return m_.kernel32.CreateFileA(path, access, 0, nullptr, creation, flags, 0);
  }

  testing::ScratchMachine m_;
};

TEST_F(SimKernel32FilesTest, PatternsMatchAsInADirectorySearch) {
  const Names all = {".", "..", "LYN.CAB", "Maps", "Readme", "setup.exe", "Setup.lst"};
  const struct {
    const char* pattern;
    Names expected;
  } cases[] = {
      {"C:\\Distribution\\*", all},
      {"c:\\distribution\\*.*", all},
      {"C:\\Distribution\\*.cab", {"LYN.CAB"}},
      {"C:\\Distribution\\SETUP.*", {"setup.exe", "Setup.lst"}},
      {"C:\\Distribution\\readme.*", {"Readme"}},
      {"C:\\Distribution\\s?tup.EXE", {"setup.exe"}},
      {"C:\\Distribution\\maps", {"Maps"}},
      {"LYN.CAB", {"LYN.CAB"}},
      {"C:LYN.CAB", {"LYN.CAB"}},
      {"C:/Distribution/*.lst", {"Setup.lst"}},
      {"C:\\*", {"Distribution", "Program Files", "ProgramData", "Users", "Windows"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SearchNames(c.pattern), c.expected) << c.pattern;
}

TEST_F(SimKernel32FilesTest, FoundEntriesCarryTheMachinesAttributesAndSizes) {
  m_.machine.SetAttributes("C:\\Distribution\\Readme",
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  const auto entries = Search("C:\\Distribution\\*");
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[1].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);  // ".."
  EXPECT_EQ(entries[2].dwFileAttributes, FILE_ATTRIBUTE_ARCHIVE);    // LYN.CAB
  EXPECT_EQ(entries[3].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);  // Maps
  EXPECT_EQ(entries[4].dwFileAttributes, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(entries[4].nFileSizeLow, 7u);
  EXPECT_NE(entries[4].ftLastWriteTime.dwHighDateTime, 0u);
}

TEST_F(SimKernel32FilesTest, MissingFilesAndFoldersAreTold) {
  const struct {
    const char* path;
    DWORD error;
  } cases[] = {
      {"C:\\Distribution\\*.xyz", ERROR_FILE_NOT_FOUND},
      {"C:\\Distribution\\gone.txt", ERROR_FILE_NOT_FOUND},
      {"C:\\Missing\\gone.txt", ERROR_PATH_NOT_FOUND},
      {"Q:\\gone.txt", ERROR_PATH_NOT_FOUND},
      {"/etc/passwd", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    WIN32_FIND_DATAA data{};
    EXPECT_EQ(m_.kernel32.FindFirstFileA(c.path, &data), INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(m_.kernel32.GetLastError(), c.error) << c.path;
    if (std::string(c.path).find('*') != std::string::npos) continue;
    EXPECT_EQ(m_.kernel32.GetFileAttributesA(c.path), INVALID_FILE_ATTRIBUTES) << c.path;
    EXPECT_EQ(m_.kernel32.GetLastError(), c.error) << c.path;
  }
}

TEST_F(SimKernel32FilesTest, CreateRefusesWhatWindowsRefuses) {
  m_.PutFile("C:\\Distribution\\locked.dll", "old");
  m_.machine.SetAttributes("C:\\Distribution\\locked.dll", FILE_ATTRIBUTE_READONLY);
  m_.PutFile("C:\\Distribution\\running.dll", "old");
  m_.machine.SetInUse("C:\\Distribution\\running.dll", true);
  m_.machine.SetAttributes("C:\\Distribution\\Readme", FILE_ATTRIBUTE_HIDDEN);
  const struct {
    const char* path;
    DWORD access;
    DWORD creation;
    DWORD error;
  } cases[] = {
      {"C:\\Distribution\\gone.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {"C:\\Gone\\new.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {"C:\\Distribution\\locked.dll", GENERIC_WRITE, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
      {"C:\\Distribution\\locked.dll", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\Distribution\\running.dll", GENERIC_WRITE, CREATE_ALWAYS, ERROR_SHARING_VIOLATION},
      {"C:\\Distribution\\Readme", GENERIC_WRITE, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
      {"C:\\Distribution\\Maps", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\Distribution\\LYN.CAB", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
      {"D:\\new.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_WRITE_PROTECT},
      {"C:\\Distribution\\LYN.CAB", GENERIC_READ, 0, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Create(c.path, c.access, c.creation), INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(m_.kernel32.GetLastError(), c.error) << c.path;
  }
  EXPECT_EQ(m_.ReadFile("C:\\Distribution\\locked.dll"), "old");
  EXPECT_EQ(m_.ReadFile("C:\\Distribution\\running.dll"), "old");

  // What Windows does allow: reading a file in use, and replacing a hidden
  // file that is declared hidden again.
  const HANDLE reading = Create("C:\\Distribution\\running.dll", GENERIC_READ, OPEN_EXISTING);
  EXPECT_NE(reading, INVALID_HANDLE_VALUE);
  DWORD written = 5;
  EXPECT_EQ(m_.kernel32.WriteFile(reading, "x", 1, &written, nullptr), FALSE);
  EXPECT_EQ(m_.kernel32.GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(m_.kernel32.CloseHandle(reading), TRUE);
  const HANDLE hidden =
      Create("C:\\Distribution\\Readme", GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_NE(hidden, INVALID_HANDLE_VALUE);
  EXPECT_EQ(m_.kernel32.CloseHandle(hidden), TRUE);
}

TEST_F(SimKernel32FilesTest, CreateAlwaysWritesAFreshArchiveFile) {
  const HANDLE created = Create("c:\\distribution\\Install.LOG", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  EXPECT_EQ(m_.kernel32.GetLastError(), ERROR_SUCCESS);
  DWORD written = 0;
  EXPECT_EQ(m_.kernel32.WriteFile(created, "first\r\n", 7, &written, nullptr), TRUE);
  EXPECT_EQ(written, 7u);
  EXPECT_EQ(m_.kernel32.CloseHandle(created), TRUE);
  EXPECT_EQ(m_.kernel32.CloseHandle(created), FALSE);
  EXPECT_EQ(m_.kernel32.GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(m_.ReadFile("C:\\Distribution\\Install.LOG"), "first\r\n");
  EXPECT_EQ(m_.kernel32.GetFileAttributesA("C:\\Distribution\\install.log"),
            FILE_ATTRIBUTE_ARCHIVE);

  const HANDLE again = Create("C:\\Distribution\\Install.LOG", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_EQ(m_.kernel32.GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(m_.kernel32.WriteFile(again, "2", 1, &written, nullptr), TRUE);
  EXPECT_EQ(m_.kernel32.CloseHandle(again), TRUE);
  EXPECT_EQ(m_.ReadFile("C:\\Distribution\\Install.LOG"), "2") << "truncated";
}

TEST(SimKernel32FilesWow64Test, SystemFolderFilesLandInSysWow64) {
  testing::ScratchMachine m(FindPreset("win7-ultimate-x64").profile);
  const HANDLE file = m.kernel32.CreateFileA("C:\\Windows\\System32\\LYN.DLL", GENERIC_WRITE, 0,
                                             nullptr, CREATE_ALWAYS, 0, 0);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  m.kernel32.CloseHandle(file);
  EXPECT_TRUE(std::filesystem::exists(m.folder.path() / "drives" / "C" / "Windows" / "SysWOW64" /
                                      "LYN.DLL"));
  WIN32_FIND_DATAA data{};
  const HANDLE search = m.kernel32.FindFirstFileA("C:\\Windows\\system32\\lyn.dll", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "LYN.DLL");
  m.kernel32.FindClose(search);
}

}  // namespace
}  // namespace lyn::sim
