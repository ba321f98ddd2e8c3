// Containment as a property: thousands of random paths, built from "..",
// ".", mixed case, device names, over-long names, drive letters, both
// separators, and links placed inside the machine that point out of it (live
// and dangling), are each used to create, write, copy onto and delete
// through the emulated API. Afterwards nothing outside the machine's drives
// has changed. The seed is fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "fakes/machine_platform.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;
using namespace win;

// Every file and folder below `folder`, links as links, with file contents.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_symlink()) {
      entries[name] = "link to " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      entries[name] = std::string(std::istreambuf_iterator<char>(in), {});
    } else {
      entries[name] = "folder";
    }
  }
  return entries;
}

TEST(ContainmentProperty, NoPathChangesAnythingOutsideTheDrives) {
  fakes::MachinePlatform m;
  testing::ScratchFolder outside;
  fs::create_directories(outside.path() / "Folder");
  std::ofstream(outside.path() / "keep.txt") << "outside";
  std::ofstream(outside.path() / "Folder" / "inner.txt") << "inner";
  const fs::path driveC = m.Host("C:\\");
  const fs::path machineRoot = driveC.parent_path().parent_path();
  m.PutFile("C:\\seed.txt", "seed");
  const auto links = [&] {
    const std::pair<fs::path, fs::path> wanted[] = {
        {outside.path(), driveC / "Out"},
        {outside.path() / "absent.txt", driveC / "Gone.txt"},
        {outside.path() / "absent", driveC / "Windows" / "Nowhere"},
        {outside.path() / "keep.txt", driveC / "Keep.txt"},
        {machineRoot, driveC / "Windows" / "Up"},
    };
    for (const auto& [target, link] : wanted) {
      std::error_code ignored;
      if (!fs::is_symlink(fs::symlink_status(link, ignored)))
        fs::create_symlink(target, link, ignored);
    }
  };
  links();
  const auto outsideBefore = Snapshot(outside.path());
  std::ifstream profileIn(machineRoot / "profile.ini");
  const std::string profile(std::istreambuf_iterator<char>(profileIn), {});

  const std::vector<std::string> pieces = {
      "..",          ".",        "Out",       "out",
      "OUT",         "Gone.txt", "gone.TXT",  "Nowhere",
      "Keep.txt",    "Up",       "Windows",   "windows",
      "NUL",         "com1.txt", "Lpt3",      std::string(300, 'L'),
      "new.txt",     "Folder",   "inner.txt", "a. ",
      "profile.ini", "drives",   "C",         "x"};
  const std::vector<std::string> starts = {"C:\\", "c:/", "", "\\", "D:\\", "C:", "/"};
  std::mt19937 random(20261206);
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  Kernel32& kernel32 = m.platform().kernel32;
  Shell32& shell32 = m.platform().shell32;
  for (int round = 0; round < 2000; ++round) {
    links();
    std::string path = pick(starts);
    const int count = std::uniform_int_distribution<int>(1, 5)(random);
    for (int i = 0; i < count; ++i) {
      if (i > 0) path += random() % 2 ? '\\' : '/';
      path += pick(pieces);
    }
    SCOPED_TRACE(path);
    ASSERT_NO_THROW({
      const HANDLE file =
          kernel32.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
      DWORD written = 0;
      kernel32.WriteFile(file, "written", 7, &written, nullptr);
      kernel32.CloseHandle(file);
      const std::string to = path + '\0';
      SHFILEOPSTRUCTA copy{};
      copy.wFunc = FO_COPY;
      copy.pFrom = "C:\\seed.txt\0";
      copy.pTo = to.c_str();
      copy.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
      shell32.SHFileOperationA(&copy);
      SHFILEOPSTRUCTA remove{};
      remove.wFunc = FO_DELETE;
      remove.pFrom = to.c_str();
      remove.fFlags = FOF_NOCONFIRMATION;
      shell32.SHFileOperationA(&remove);
      if (!m.Exists("C:\\seed.txt")) m.PutFile("C:\\seed.txt", "seed");
    });
  }
  EXPECT_EQ(Snapshot(outside.path()), outsideBefore);
  std::ifstream profileAfter(machineRoot / "profile.ini");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(profileAfter), {}), profile);
  EXPECT_TRUE(fs::is_directory(driveC)) << "a drive's root cannot be deleted";
}

}  // namespace
}  // namespace lyn::sim
