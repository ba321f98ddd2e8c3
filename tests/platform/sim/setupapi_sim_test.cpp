// The emulated cabinet iteration service: notifications in cabinet order,
// the three answers, the file-written notification, and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cabinet/test_cabinet.h"
#include "fakes/machine_platform.h"
#include "platform/sim/machine/scratch_folder.h"

namespace lyn {
namespace {

using testing::CabEntry;
using testing::UncompressedCabinet;

// Records each notification and answers through a function of the test.
struct Walk {
  std::vector<std::string> seen;
  std::function<win::UINT(win::FILE_IN_CABINET_INFO_A&)> answer;
  win::UINT extractedAnswer = win::NO_ERROR;

  static win::UINT LYN_CALLBACK Callback(win::LPVOID context, win::UINT notification,
                                         win::UINT_PTR param1, win::UINT_PTR param2) {
    auto& walk = *static_cast<Walk*>(context);
    if (notification == win::SPFILENOTIFY_FILEINCABINET) {
      auto& info = *reinterpret_cast<win::FILE_IN_CABINET_INFO_A*>(param1);
      walk.seen.push_back("file " + std::string(info.NameInCabinet) + " " +
                          std::to_string(info.FileSize) + " " + std::to_string(info.DosDate) + " " +
                          std::to_string(info.DosTime) + " from " +
                          reinterpret_cast<const char*>(param2));
      return walk.answer ? walk.answer(info) : win::FILEOP_SKIP;
    }
    if (notification == win::SPFILENOTIFY_FILEEXTRACTED) {
      const auto& paths = *reinterpret_cast<const win::FILEPATHS_A*>(param1);
      walk.seen.push_back("extracted " + std::string(paths.Target) + " " +
                          std::to_string(paths.Win32Error));
      return walk.extractedAnswer;
    }
    walk.seen.push_back("notification " + std::to_string(notification));
    return 0;
  }
};

win::UINT WriteTo(win::FILE_IN_CABINET_INFO_A& info, const std::string& target) {
  target.copy(info.FullTargetName, target.size());
  info.FullTargetName[target.size()] = '\0';
  return win::FILEOP_DOIT;
}

class SetupApiSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cabinet_ = UncompressedCabinet({
        {"a.txt", "alpha", testing::DosDate(2009, 3, 14), testing::DosTime(13, 5, 8)},
        {"sub\\b.bin", std::string(70000, 'b'), testing::DosDate(1999, 12, 31),
         testing::DosTime(0, 0, 0)},
        {"c.txt", "gamma"},
    });
    machine_.PutFile("C:\\Media\\TEST.CAB", cabinet_);
    machine_.MakeFolder("C:\\Out");
  }

  win::BOOL Iterate(const char* cabinet, Walk& walk) {
    platform().kernel32.SetLastError(0xDEADBEEF);
    return platform().setupapi.SetupIterateCabinetA(cabinet, 0, &Walk::Callback, &walk);
  }
  Platform& platform() { return machine_.platform(); }

  fakes::MachinePlatform machine_;
  std::string cabinet_;
};

TEST_F(SetupApiSimTest, ReportsEveryFileInCabinetOrderWithItsStamp) {
  Walk walk;
  ASSERT_EQ(Iterate("C:\\Media\\test.cab", walk), win::TRUE);
  const std::vector<std::string> expected{
      "notification 16",
      "file a.txt 5 " + std::to_string(testing::DosDate(2009, 3, 14)) + " " +
          std::to_string(testing::DosTime(13, 5, 8)) + " from C:\\Media\\test.cab",
      "file sub\\b.bin 70000 " + std::to_string(testing::DosDate(1999, 12, 31)) +
          " 0 from C:\\Media\\test.cab",
      "file c.txt 5 " + std::to_string(CabEntry{}.dosDate) + " " +
          std::to_string(CabEntry{}.dosTime) + " from C:\\Media\\test.cab"};
  EXPECT_EQ(walk.seen, expected);
  EXPECT_FALSE(machine_.Exists("C:\\Out\\a.txt"));
}

TEST_F(SetupApiSimTest, WritesWhatTheCallbackAsksAndStopsAfterAnAbort) {
  Walk walk;
  int files = 0;
  walk.answer = [&files](win::FILE_IN_CABINET_INFO_A& info) {
    switch (files++) {
      case 0:
        return win::FILEOP_SKIP;
      case 1:
        return WriteTo(info, "C:\\Out\\b.bin");
      default:
        return win::FILEOP_ABORT;
    }
  };
  ASSERT_EQ(Iterate("C:\\Media\\TEST.CAB", walk), win::TRUE);
  EXPECT_EQ(walk.seen.size(), 5u);
  EXPECT_EQ(walk.seen[4], "file c.txt 5 " + std::to_string(CabEntry{}.dosDate) + " " +
                              std::to_string(CabEntry{}.dosTime) + " from C:\\Media\\TEST.CAB");
  EXPECT_EQ(walk.seen[3], "extracted C:\\Out\\b.bin 0");
  EXPECT_EQ(machine_.ReadFile("C:\\Out\\b.bin"), std::string(70000, 'b'));
  EXPECT_FALSE(machine_.Exists("C:\\Out\\c.txt"));
}

TEST_F(SetupApiSimTest, AnErrorReturnedForAWrittenFileFailsTheWalk) {
  Walk walk;
  walk.answer = [](win::FILE_IN_CABINET_INFO_A& info) { return WriteTo(info, "C:\\Out\\x"); };
  walk.extractedAnswer = 1223;
  EXPECT_EQ(Iterate("C:\\Media\\TEST.CAB", walk), win::FALSE);
  EXPECT_EQ(platform().kernel32.GetLastError(), 1223u);
  EXPECT_EQ(walk.seen.size(), 3u);
}

TEST_F(SetupApiSimTest, FailsWithTheErrorsWindowsReports) {
  machine_.PutFile("C:\\Media\\empty.cab", "");
  machine_.PutFile("C:\\Media\\text.cab", "not a cabinet at all, only text");
  std::string corrupt = cabinet_;
  corrupt[36 + 6] = '\x0F';  // a compression method that does not exist
  machine_.PutFile("C:\\Media\\corrupt.cab", corrupt);
  machine_.PutFile("C:\\Media\\cut.cab", cabinet_.substr(0, cabinet_.size() - 40000));
  const auto writeAll = [](win::FILE_IN_CABINET_INFO_A& info) {
    return WriteTo(info, "C:\\Out\\" + std::string(info.NameInCabinet).substr(0, 1));
  };
  const struct {
    const char* cabinet;
    win::DWORD error;
  } cases[] = {{"C:\\Media\\missing.cab", win::ERROR_FILE_NOT_FOUND},
               {"C:\\Nowhere\\TEST.CAB", win::ERROR_FILE_NOT_FOUND},
               {"/etc/passwd", win::ERROR_FILE_NOT_FOUND},
               {"C:\\Media\\empty.cab", win::ERROR_INVALID_DATA},
               {"C:\\Media\\text.cab", win::ERROR_INVALID_DATA},
               {"C:\\Media\\corrupt.cab", win::ERROR_INVALID_DATA},
               {"C:\\Media\\cut.cab", win::ERROR_INVALID_DATA}};
  for (const auto& c : cases) {
    Walk walk;
    walk.answer = writeAll;
    EXPECT_EQ(Iterate(c.cabinet, walk), win::FALSE) << c.cabinet;
    EXPECT_EQ(platform().kernel32.GetLastError(), c.error) << c.cabinet;
  }
}

TEST_F(SetupApiSimTest, ATargetItCannotOpenFailsTheWalkAndNothingIsWrittenOutside) {
  const struct {
    std::string target;
    win::DWORD error;
  } cases[] = {{"", win::ERROR_PATH_NOT_FOUND},
               {"C:\\Missing\\a.txt", win::ERROR_PATH_NOT_FOUND},
               {"/tmp/lyn-escape.txt", win::ERROR_PATH_NOT_FOUND},
               {"C:\\Out", win::ERROR_ACCESS_DENIED}};
  for (const auto& c : cases) {
    Walk walk;
    walk.answer = [&c](win::FILE_IN_CABINET_INFO_A& info) { return WriteTo(info, c.target); };
    EXPECT_EQ(Iterate("C:\\Media\\TEST.CAB", walk), win::FALSE) << c.target;
    EXPECT_EQ(platform().kernel32.GetLastError(), c.error) << c.target;
    EXPECT_EQ(walk.seen.size(), 2u) << "no file-written notification for " << c.target;
  }
  EXPECT_FALSE(std::filesystem::exists("/tmp/lyn-escape.txt"));
}

TEST_F(SetupApiSimTest, ALinkInsideTheMachineLeadsNoEntryOutOfIt) {
  const sim::testing::ScratchFolder outside;
  std::filesystem::create_directories(outside.path());
  const std::filesystem::path out = machine_.Host("C:\\Out");
  std::filesystem::create_directory_symlink(outside.path(), out / "linked");
  std::filesystem::create_symlink(outside.path() / "dangling.txt", out / "dangling.txt");
  std::filesystem::create_symlink(machine_.Host("C:\\Media\\TEST.CAB"),
                                  machine_.Host("C:\\Media\\link.cab"));
  for (const char* target : {"C:\\Out\\linked\\a.txt", "C:\\Out\\dangling.txt"}) {
    Walk walk;
    walk.answer = [target](win::FILE_IN_CABINET_INFO_A& info) { return WriteTo(info, target); };
    EXPECT_EQ(Iterate("C:\\Media\\TEST.CAB", walk), win::FALSE) << target;
    EXPECT_EQ(platform().kernel32.GetLastError(), win::ERROR_PATH_NOT_FOUND) << target;
  }
  EXPECT_TRUE(std::filesystem::is_empty(outside.path()));
  Walk walk;
  EXPECT_EQ(Iterate("C:\\Media\\link.cab", walk), win::FALSE);
  EXPECT_EQ(platform().kernel32.GetLastError(), win::ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(walk.seen.empty());
}

TEST_F(SetupApiSimTest, ACabinetWithoutFilesIsWalkedWithoutFileNotifications) {
  machine_.PutFile("C:\\Media\\none.cab", UncompressedCabinet({}));
  Walk walk;
  EXPECT_EQ(Iterate("C:\\Media\\none.cab", walk), win::TRUE);
  EXPECT_EQ(walk.seen, std::vector<std::string>{"notification 16"});
}

}  // namespace
}  // namespace lyn
