// The index of a folder's names: names matched as Windows matches them, the
// listing order, when an index may be kept, and a kept file read back whole
// or not at all.
#include "platform/sim/machine/name_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sim/machine/scratch_folder.h"

namespace lyn::sim {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

class NameIndexTest : public ::testing::Test {
 protected:
  NameIndexTest() {
    fs::create_directories(folder.path() / "sub");
    for (const char* name : {"ReadMe.txt", "README.TXT", "b.dat", "\xC3\x9Cn\xC3\xAF.TXT"}) {
      std::ofstream(folder.path() / name) << "x";
    }
    fs::create_symlink("b.dat", folder.path() / "ln");
    fs::create_directories(files.path());
  }

  std::shared_ptr<const NameIndex> Read() const {
    const int fd = ::open(folder.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat self {};
    ::fstat(fd, &self);
    auto index = NameIndex::Read(fd, self);
    ::close(fd);
    return index;
  }
  std::vector<char> Saved(const NameIndex& index) const {
    const fs::path file = files.path() / "saved";
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_TRUE(index.Save(fd));
    ::close(fd);
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::shared_ptr<const NameIndex> Load(const std::vector<char>& bytes) const {
    const fs::path file = files.path() / "loaded";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    auto index = NameIndex::Load(fd);
    ::close(fd);
    return index;
  }

  ScratchFolder folder;
  ScratchFolder files;  // where the index is kept
};

std::string Found(const NameIndex& index, const char* name) {
  const auto entry = index.Find(name);
  return entry ? std::string(entry->name) : "(none)";
}

TEST_F(NameIndexTest, FindsAndListsAsWindowsDoesInMemoryAndReadBackFromItsFile) {
  const auto read = Read();
  ASSERT_TRUE(read);
  const auto loaded = Load(Saved(*read));
  ASSERT_TRUE(loaded);
  for (const auto& index : {read, loaded}) {
    // The name spelt exactly so, else the first in byte order of those that
    // differ only in case.
    EXPECT_EQ(Found(*index, "ReadMe.txt"), "ReadMe.txt");
    EXPECT_EQ(Found(*index, "readme.txt"), "README.TXT");
    EXPECT_EQ(Found(*index, "B.DAT"), "b.dat");
    EXPECT_EQ(Found(*index, "\xC3\xBCN\xC3\x8F.txt"), "\xC3\x9Cn\xC3\xAF.TXT");
    EXPECT_EQ(Found(*index, "b.da"), "(none)");
    EXPECT_TRUE(index->Find("SUB")->folder);
    EXPECT_TRUE(index->Find("LN")->link);
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < index->size(); ++i) listed.emplace_back((*index)[i].name);
    EXPECT_EQ(listed, (std::vector<std::string>{"b.dat", "ln", "README.TXT", "ReadMe.txt", "sub",
                                                "\xC3\x9Cn\xC3\xAF.TXT"}));
  }
}

// Any damage to a kept file is refused when it is read, or leaves an index
// whose lookups stay inside its bytes (the sanitizer build checks that).
TEST_F(NameIndexTest, AKeptFileCutShortOrDamagedIsRefusedOrStaysInBounds) {
  const std::vector<char> whole = Saved(*Read());
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(Load(std::vector<char>(whole.begin(), whole.begin() + size))) << size;
  }
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (const char flip : {'\x01', '\x80', '\xFF'}) {
      std::vector<char> damaged = whole;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      const auto index = Load(damaged);
      if (!index) continue;
      for (const char* name : {"readme.txt", "b.dat", "sub", "x"}) index->Find(name);
      for (std::size_t i = 0; i < index->size(); ++i) static_cast<void>((*index)[i]);
    }
  }
}

TEST(TimeSettledTest, OnceTheClockHasPassedTheTimeByTheResolutionItsDigitsAllow) {
  struct Case {
    std::timespec changed;
    std::timespec now;
    bool settled;
  };
  const Case cases[] = {
      {{100, 123456789}, {100, 123456789}, false},  // the same tick
      {{100, 123456789}, {100, 123456790}, true},   // nanosecond times
      {{100, 120000000}, {100, 125000000}, false},  // a time in hundredths
      {{100, 120000000}, {100, 130000000}, true},
      {{100, 0}, {101, 500000000}, false},  // whole seconds: maybe a two-second clock
      {{100, 0}, {102, 0}, true},
      {{100, 500000000}, {100, 400000000}, false},  // the time ahead of the clock
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimeSettled(c.changed, c.now), c.settled)
        << c.changed.tv_sec << "." << c.changed.tv_nsec << " at " << c.now.tv_sec << "."
        << c.now.tv_nsec;
  }
}

}  // namespace
}  // namespace lyn::sim
