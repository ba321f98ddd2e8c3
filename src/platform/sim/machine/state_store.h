// The machine's state store: everything the machine keeps beside its drive
// folders (file attributes, files in use, the desktop's windows, and later
// the registry, owners and access lists, self-registration records) in one
// SQLite database in the machine folder.
//
// Every change happens in a transaction. A write transaction takes the
// database's write lock at its start (BEGIN IMMEDIATE) and waits while
// another process holds it, so two processes changing the same table never
// lose each other's writes; the database is in write-ahead-log mode, so a
// process killed at any moment leaves the last committed state.
//
// A connection belongs to the process that opened it: a forked child that
// uses the store opens its own and leaves its parent's alone.
//
// What lookups read can be kept (Kept): every process counts the changes it
// commits in a file beside the store, so a kept value is known to be right,
// without a transaction, while the count has not moved.
#pragma once

#include <sqlite3.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/sim/machine/change_counter.h"
#include "platform/sim/machine/machine_error.h"

namespace lyn::sim {

// The store cannot be opened or read: it is missing, damaged, made by
// another schema version, or the disk failed. The message names the machine.
class StateError : public MachineError {
 public:
  using MachineError::MachineError;
};

// The prepared statements of one connection, kept while it is open: a
// statement is compiled once however often transactions run it.
class StatementCache {
 public:
  StatementCache() = default;
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // Forgets the statements without finalising them, for a connection that is
  // abandoned rather than closed.
  void Abandon() { statements_.clear(); }

 private:
  friend class Statement;
  struct Slot {
    sqlite3_stmt* statement = nullptr;
    bool busy = false;  // a Statement is using it
  };
  std::unordered_map<std::string, Slot> statements_;
};

// One prepared statement of a transaction. Parameters are numbered from 1,
// columns from 0, as in SQLite.
class Statement {
 public:
  // Prepares `sql` for this statement alone.
  Statement(sqlite3* db, std::string_view sql, const std::string& machine);
  // Takes `sql` from the cache, or prepares it into the cache; a statement
  // the cache holds that is still in use is prepared anew for this one.
  Statement(sqlite3* db, std::string_view sql, const std::string& machine, StatementCache& cache);
  // Finalises its own statement, or resets a cached one for its next use.
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::string_view text);
  Statement& Bind(int index, std::int64_t number);
  Statement& Bind(int index, const std::vector<std::uint8_t>& bytes);
  Statement& BindNull(int index);

  // Advances to the next row: true while there is one, false when done.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();

  bool IsNull(int column) const;
  std::string Text(int column) const;
  std::int64_t Int(int column) const;
  std::vector<std::uint8_t> Blob(int column) const;

 private:
  friend class StateStore;
  void Check(int code) const;

  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
  const std::string& machine_;
  StatementCache::Slot* slot_ = nullptr;  // the cache's, when borrowed
};

// What a transaction's work receives: statements on the open database.
class Transaction {
 public:
  Transaction(sqlite3* db, const std::string& machine, StatementCache& statements)
      : db_(db), machine_(machine), statements_(statements) {}
  Statement Prepare(std::string_view sql) const {
    return Statement(db_, sql, machine_, statements_);
  }
  // The number of rows the last INSERT, UPDATE or DELETE changed.
  int Changes() const { return sqlite3_changes(db_); }

 private:
  sqlite3* db_;
  const std::string& machine_;
  StatementCache& statements_;
};

class StateStore {
 public:
  // The file name of the store in the machine folder.
  static constexpr const char* kFileName = "state.db";
  // The file beside it that counts the changes committed.
  static constexpr const char* kChangesFileName = "state.changes";

  // Makes the store of a new machine, with the current schema.
  static std::shared_ptr<StateStore> Create(const std::filesystem::path& machineFolder);
  // Opens the store of an existing machine. Throws StateError when the file
  // is missing, is not a state store, was made by another schema version or
  // is damaged: never reads such a store as empty.
  static std::shared_ptr<StateStore> Open(const std::filesystem::path& machineFolder);

  ~StateStore();
  StateStore(const StateStore&) = delete;
  StateStore& operator=(const StateStore&) = delete;

  // Runs `work(const Transaction&)` in a write transaction and returns its
  // result. Commits when it returns; rolls back when it throws and passes the
  // exception on. SQLite failures throw StateError. Work started inside other
  // work of the same thread joins the outer transaction.
  template <typename Work>
  auto Write(Work&& work) {
    return Run(true, std::forward<Work>(work));
  }
  // The same for work that only reads: it sees one consistent state.
  template <typename Work>
  auto Read(Work&& work) {
    return Run(false, std::forward<Work>(work));
  }

  // What `read(const Transaction&)` returns, read in a read transaction and
  // kept under `key` until the store changes, in any process: asking again
  // costs no transaction. `read` depends on nothing but the store and the
  // key. Inside this process's own write transaction nothing is kept.
  template <typename Value, typename ReadWork>
  std::shared_ptr<const Value> Kept(const std::string& key, ReadWork&& read) {
    std::lock_guard lock(mutex_);
    const std::optional<std::uint64_t> version = KeptVersion();
    if (version) {
      if (keptVersion_ != *version) {
        kept_.clear();
        keptVersion_ = *version;
      }
      const auto found = kept_.find({typeid(Value), key});
      if (found != kept_.end()) return std::static_pointer_cast<const Value>(found->second);
    }
    // Read in a transaction of its own, so that what is kept is the state
    // the count tells: work running inside an older transaction would read
    // that transaction's state.
    const bool own = depth_ == 0;
    auto value = std::make_shared<const Value>(Run(false, std::forward<ReadWork>(read)));
    // A change committed while it was read may or may not be in it.
    if (version && own && changes_.Value() == version) {
      kept_.emplace(KeptKey{typeid(Value), key}, value);
    }
    return value;
  }

 private:
  StateStore(sqlite3* db, std::filesystem::path file, std::string machine);
  static std::shared_ptr<StateStore> Connect(const std::filesystem::path& machineFolder,
                                             bool create);
  static sqlite3* OpenConnection(const std::filesystem::path& file, bool create,
                                 const std::string& machine);
  // The connection of the calling process, opened anew after a fork.
  sqlite3* Connection();

  template <typename Work>
  auto Run(bool write, Work&& work) {
    // One transaction at a time per process: worker threads share the
    // connection, and work nested in other work joins its transaction.
    std::lock_guard lock(mutex_);
    const Transaction transaction(Connection(), machine_, statements_);
    if (depth_ > 0) {
      const Nesting nesting(depth_);
      return work(transaction);
    }
    Begin(write);
    try {
      if constexpr (std::is_void_v<decltype(work(transaction))>) {
        {
          const Nesting nesting(depth_);
          work(transaction);
        }
        Commit();
      } else {
        auto result = [&] {
          const Nesting nesting(depth_);
          return work(transaction);
        }();
        Commit();
        return result;
      }
    } catch (...) {
      Rollback();
      throw;
    }
  }

  // Counts the work running inside the open transaction.
  struct Nesting {
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    int& depth_;
  };

  // Runs BEGIN, COMMIT or ROLLBACK; StateError saying what it was `doing`
  // when it fails.
  void Control(const char* sql, const char* doing);
  void Begin(bool write);
  void Commit();
  void Rollback();

  // The count of changes under which kept values are right; nullopt when
  // nothing may be kept now.
  std::optional<std::uint64_t> KeptVersion();

  sqlite3* db_;
  StatementCache statements_;  // of db_, finalised before it is closed
  pid_t process_;              // the process that opened db_
  std::filesystem::path file_;
  std::string machine_;  // "machine '<folder>'", for messages
  std::recursive_mutex mutex_;
  int depth_ = 0;
  ChangeCounter changes_;
  using KeptKey = std::pair<std::type_index, std::string>;
  struct KeptHash {
    std::size_t operator()(const KeptKey& key) const {
      return key.first.hash_code() ^ std::hash<std::string>()(key.second);
    }
  };
  std::unordered_map<KeptKey, std::shared_ptr<const void>, KeptHash> kept_;
  std::uint64_t keptVersion_ = 0;
};

}  // namespace lyn::sim
