// The file operations of the emulated kernel32: directory searches,
// attributes, and creating, writing and closing files.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "fakes/machine_platform.h"

namespace lyn::sim {
namespace {

using namespace win;
using Names = std::vector<std::string>;

class SimKernel32FilesTest : public ::testing::Test {
 protected:
  SimKernel32FilesTest() {
    for (const char* name : {"LYN.CAB", "Readme", "setup.exe", "Setup.lst"}) {
      m_.PutFile(std::string("C:\\Distribution\\") + name, name);
    }
    m_.MakeFolder("C:\\Distribution\\Maps");
  }

  // Every entry a search returns, in order; the handle is closed afterwards.
  std::vector<WIN32_FIND_DATAA> Search(const char* pattern) {
    WIN32_FIND_DATAA data{};
    const HANDLE search = k_.FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::vector<WIN32_FIND_DATAA> entries{data};
    while (k_.FindNextFileA(search, &data)) entries.push_back(data);
    EXPECT_EQ(k_.GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_EQ(k_.CloseHandle(search), FALSE) << "a search is closed with FindClose";
    EXPECT_EQ(k_.FindClose(search), TRUE);
    EXPECT_EQ(k_.FindClose(search), FALSE);
    return entries;
  }
  HANDLE Create(const char* path, DWORD access, DWORD creation, DWORD flags = 0, DWORD share = 0) {
    return k_.CreateFileA(path, access, share, nullptr, creation, flags, 0);
  }

  fakes::MachinePlatform m_;
  Kernel32& k_ = m_.platform().kernel32;
};

// A search reads the marks of a whole folder at once: each entry must get its
// own, whatever case the mark was set in, and none from the folders below it
// or beside it.
TEST_F(SimKernel32FilesTest, SearchesListMatchingEntriesEachWithItsOwnMarks) {
  const struct {
    const char* pattern;
    Names expected;
  } cases[] = {
      {"c:\\distribution\\*.*", {".", "..", "LYN.CAB", "Maps", "Readme", "setup.exe", "Setup.lst"}},
      {"C:\\Distribution\\SETUP.*", {"setup.exe", "Setup.lst"}},
      {"C:\\Distribution\\maps", {"Maps"}},
      {"C:\\*", {"Distribution", "Program Files", "ProgramData", "Users", "Windows"}},
  };
  for (const auto& c : cases) {
    Names names;
    for (const auto& entry : Search(c.pattern)) names.emplace_back(entry.cFileName);
    EXPECT_EQ(names, c.expected) << c.pattern;
  }

  m_.PutFile("C:\\Distribution\\Maps\\setup.exe", "below");
  m_.PutFile("C:\\Distribution2\\setup.exe", "beside");
  m_.SetAttributes("C:\\Distribution\\Maps\\setup.exe", FILE_ATTRIBUTE_SYSTEM);
  m_.SetAttributes("C:\\Distribution2\\setup.exe", FILE_ATTRIBUTE_SYSTEM);
  m_.SetAttributes("c:\\DISTRIBUTION\\maps", FILE_ATTRIBUTE_HIDDEN);
  m_.SetAttributes("C:\\Distribution\\LYN.cab", 0);
  m_.SetAttributes("C:\\Distribution\\readme", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  // Sorts after the marks of the Maps folder, which the reading steps over.
  m_.SetAttributes("C:\\Distribution\\SETUP.LST", FILE_ATTRIBUTE_READONLY);
  m_.SetAttributes("C:\\Windows", FILE_ATTRIBUTE_SYSTEM);
  std::map<std::string, DWORD> listed;
  for (const auto& entry : Search("C:\\Distribution\\*")) {
    listed[entry.cFileName] = entry.dwFileAttributes;
    if (entry.cFileName == std::string("Readme")) {
      EXPECT_EQ(entry.nFileSizeLow, 6u);
      EXPECT_NE(entry.ftLastWriteTime.dwHighDateTime, 0u);
    }
  }
  const std::map<std::string, DWORD> expected = {
      {".", FILE_ATTRIBUTE_DIRECTORY},
      {"..", FILE_ATTRIBUTE_DIRECTORY},
      {"LYN.CAB", FILE_ATTRIBUTE_NORMAL},
      {"Maps", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
      {"Readme", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
      {"setup.exe", FILE_ATTRIBUTE_ARCHIVE},
      {"Setup.lst", FILE_ATTRIBUTE_READONLY},
  };
  EXPECT_EQ(listed, expected);
  const auto root = Search("C:\\W*");
  ASSERT_EQ(root.size(), 1u);
  EXPECT_EQ(root[0].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
  const auto below = Search("C:\\DISTRIBUTION\\MAPS\\*.exe");
  ASSERT_EQ(below.size(), 1u);
  EXPECT_EQ(below[0].dwFileAttributes, FILE_ATTRIBUTE_SYSTEM);
}

TEST_F(SimKernel32FilesTest, MissingFilesAndFoldersAreTold) {
  const struct {
    const char* path;
    DWORD error;
  } cases[] = {
      {"C:\\Distribution\\gone.txt", ERROR_FILE_NOT_FOUND},
      {"C:\\Missing\\gone.txt", ERROR_PATH_NOT_FOUND},
      {"Q:\\gone.txt", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    WIN32_FIND_DATAA data{};
    EXPECT_EQ(k_.FindFirstFileA(c.path, &data), INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(k_.GetLastError(), c.error) << c.path;
    EXPECT_EQ(k_.GetFileAttributesA(c.path), INVALID_FILE_ATTRIBUTES) << c.path;
    EXPECT_EQ(k_.GetLastError(), c.error) << c.path;
  }
}

// The refusals the file layer's table and the differential test leave: a
// hidden file replaced without restating it, a disposition out of range, and
// writing through a handle opened for reading only.
TEST_F(SimKernel32FilesTest, CreateRefusesWhatWindowsRefuses) {
  m_.SetAttributes("C:\\Distribution\\Readme", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Create("C:\\Distribution\\Readme", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(k_.GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Create("C:\\Distribution\\LYN.CAB", GENERIC_READ, 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(k_.GetLastError(), ERROR_INVALID_PARAMETER);

  const HANDLE reading = Create("C:\\Distribution\\LYN.CAB", GENERIC_READ, OPEN_EXISTING);
  DWORD written = 5;
  EXPECT_EQ(k_.WriteFile(reading, "x", 1, &written, nullptr), FALSE);
  EXPECT_EQ(k_.GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(k_.CloseHandle(reading), TRUE);
  const HANDLE hidden =
      Create("C:\\Distribution\\Readme", GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN);
  EXPECT_NE(hidden, INVALID_HANDLE_VALUE) << "restated, the hidden file is replaced";
  EXPECT_EQ(k_.CloseHandle(hidden), TRUE);
}

}  // namespace
}  // namespace lyn::sim
