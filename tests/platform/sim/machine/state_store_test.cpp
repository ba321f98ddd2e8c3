#include "platform/sim/machine/state_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/sim/machine/scratch_folder.h"
#include "platform/sim/machine/state_schema.h"

namespace lyn::sim {
namespace {

using testing::ScratchFolder;

void Mark(StateStore& store, const std::string& key, std::int64_t attributes) {
  store.Write([&](const Transaction& t) {
    t.Prepare("INSERT OR REPLACE INTO file_attributes VALUES (?1, ?2)")
        .Bind(1, key)
        .Bind(2, attributes)
        .Run();
  });
}

std::int64_t CountMarks(StateStore& store) {
  return store.Read([](const Transaction& t) {
    auto count = t.Prepare("SELECT count(*) FROM file_attributes");
    count.Step();
    return count.Int(0);
  });
}

class StateStoreTest : public ::testing::Test {
 protected:
  StateStoreTest() { std::filesystem::create_directories(folder.path()); }
  ScratchFolder folder;
};

std::string RefusalOf(const std::filesystem::path& folder) {
  try {
    StateStore::Open(folder);
  } catch (const StateError& e) {
    return e.what();
  }
  return "opened";
}

// Statements stay prepared between transactions: one prepared again while
// the first is still stepping must not disturb it, and one used again must
// start afresh with its new parameters.
TEST_F(StateStoreTest, PreparedStatementsKeptForReuseRunIndependently) {
  auto store = StateStore::Create(folder.path());
  for (const char* key : {"c:\\a", "c:\\b", "c:\\c"}) Mark(*store, key, 1);
  const char* const kAll = "SELECT path_key FROM file_attributes ORDER BY path_key";
  store->Read([&](const Transaction& t) {
    auto outer = t.Prepare(kAll);
    ASSERT_TRUE(outer.Step());
    EXPECT_EQ(outer.Text(0), "c:\\a");
    {
      auto inner = t.Prepare(kAll);
      ASSERT_TRUE(inner.Step());
      EXPECT_EQ(inner.Text(0), "c:\\a");
      ASSERT_TRUE(inner.Step());
    }
    ASSERT_TRUE(outer.Step());
    EXPECT_EQ(outer.Text(0), "c:\\b");
  });
  for (const char* key : {"c:\\c", "c:\\b"}) {
    const std::string found = store->Read([&](const Transaction& t) {
      auto after = t.Prepare("SELECT path_key FROM file_attributes WHERE path_key >= ?1");
      after.Bind(1, key);
      return after.Step() ? after.Text(0) : std::string("none");
    });
    EXPECT_EQ(found, key);
  }
}

TEST_F(StateStoreTest, RefusesWhatIsNotThisSchemasStoreWithOneLineNamingTheMachine) {
  const std::string machine = "machine '" + folder.path().string() + "'";
  const auto file = folder.path() / StateStore::kFileName;
  std::ofstream(file) << std::string(4096, 'x');
  EXPECT_NE(RefusalOf(folder.path()).find(machine + ": state store "), std::string::npos);

  std::filesystem::remove(file);
  StateStore::Create(folder.path())->Write([](const Transaction& t) {
    t.Prepare("PRAGMA user_version=" + std::to_string(kStateSchemaVersion + 1)).Run();
  });
  EXPECT_EQ(RefusalOf(folder.path()), machine + " was made with state schema version " +
                                          std::to_string(kStateSchemaVersion + 1) +
                                          "; this program reads version " +
                                          std::to_string(kStateSchemaVersion));

  std::filesystem::remove(file);
  StateStore::Create(folder.path())->Write([](const Transaction& t) {
    t.Prepare("PRAGMA application_id=7").Run();
  });
  EXPECT_EQ(RefusalOf(folder.path()), machine + ": its state.db is not a machine's state store");

  std::filesystem::remove(file);
  std::filesystem::create_symlink("/dev/null", file);
  EXPECT_EQ(RefusalOf(folder.path()), machine + ": its state store state.db is not a file");
}

TEST_F(StateStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  StateStore::Create(folder.path());
  constexpr int kEach = 400;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    if (children[child] == 0) {
      auto store = StateStore::Open(folder.path());
      for (int i = 0; i < kEach; ++i) {
        Mark(*store, std::to_string(child) + ":" + std::to_string(i), i);
      }
      ::_exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(CountMarks(*StateStore::Open(folder.path())), 2 * kEach);
}

TEST_F(StateStoreTest, AProcessKilledInTheMiddleOfAWriteLeavesTheLastCommittedState) {
  Mark(*StateStore::Create(folder.path()), "committed", 1);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    auto store = StateStore::Open(folder.path());
    store->Write([&](const Transaction& t) {
      for (int i = 0; i < 5000; ++i) {
        t.Prepare("INSERT INTO file_attributes VALUES (?1, 0)").Bind(1, std::to_string(i)).Run();
      }
      const char byte = 'x';
      (void)!::write(ready[1], &byte, 1);
      ::pause();
    });
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  auto store = StateStore::Open(folder.path());
  EXPECT_EQ(CountMarks(*store), 1);
  Mark(*store, "after", 2);
  EXPECT_EQ(CountMarks(*store), 2);
}

}  // namespace
}  // namespace lyn::sim
