#include "platform/sim/machine/state_store.h"

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/sim/machine/state_schema.h"

namespace lyn::sim {
namespace fs = std::filesystem;

namespace {

// How long a transaction waits for another process's write to end.
constexpr int kBusyTimeoutMs = 60'000;

// This process's id, asked of the host once and again after a fork: every
// use of a store compares it with the id of the process that opened it.
std::atomic<pid_t> knownProcess{0};

pid_t ThisProcess() {
  static const int watchingForks =
      ::pthread_atfork(nullptr, nullptr, [] { knownProcess.store(0, std::memory_order_relaxed); });
  static_cast<void>(watchingForks);
  pid_t process = knownProcess.load(std::memory_order_relaxed);
  if (process == 0) {
    process = ::getpid();
    knownProcess.store(process, std::memory_order_relaxed);
  }
  return process;
}

std::string MachineName(const fs::path& folder) {
  return "machine '" + folder.string() + "'";
}

// Why the last call on the connection failed, in words that name the cause
// a person can act on: the host's error where SQLite kept one, else SQLite's
// own.
std::string Cause(sqlite3* db) {
  if (db == nullptr) return "out of memory";
  int system = sqlite3_system_errno(db);
  const int code = sqlite3_errcode(db);
  // SQLite keeps no host error for a file it could not open or write for
  // want of rights; asking the host for write access to it finds out why.
  const char* file = sqlite3_db_filename(db, "main");
  if ((code == SQLITE_CANTOPEN || code == SQLITE_READONLY) && file != nullptr &&
      ::access(file, W_OK) != 0) {
    system = errno;
  }
  switch (system) {
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EROFS:
      return "the file system is read-only";
    case EACCES:
    case EPERM:
      return "permission denied";
    case EIO:
      return "the disk reported an input/output error";
    default:
      break;
  }
  switch (code) {
    case SQLITE_FULL:
      return "the disk is full";
    case SQLITE_READONLY:
      return "it cannot be written (a read-only file system, or no permission)";
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return "permission denied";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "it is damaged";
    default:
      return sqlite3_errmsg(db);
  }
}

[[noreturn]] void Fail(const std::string& machine, sqlite3* db, const std::string& doing) {
  throw StateError(machine + ": state store " + doing + ": " + Cause(db));
}

void Execute(sqlite3* db, const char* sql, const std::string& machine, const std::string& doing) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(machine, db, doing);
}

int PragmaNumber(sqlite3* db, const char* pragma, const std::string& machine) {
  Statement statement(db, std::string("PRAGMA ") + pragma, machine);
  return statement.Step() ? static_cast<int>(statement.Int(0)) : 0;
}

}  // namespace

StatementCache::~StatementCache() {
  for (const auto& [sql, slot] : statements_) sqlite3_finalize(slot.statement);
}

Statement::Statement(sqlite3* db, std::string_view sql, const std::string& machine)
    : db_(db), machine_(machine) {
  Check(sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
}

Statement::Statement(sqlite3* db, std::string_view sql, const std::string& machine,
                     StatementCache& cache)
    : db_(db), machine_(machine) {
  auto [found, added] = cache.statements_.try_emplace(std::string(sql));
  StatementCache::Slot& slot = found->second;
  if (!added && slot.busy) {
    Check(sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
    return;
  }
  if (added) {
    const int code = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &slot.statement, nullptr);
    if (code != SQLITE_OK) {
      cache.statements_.erase(found);
      Check(code);
    }
  }
  statement_ = slot.statement;
  slot_ = &slot;
  slot.busy = true;
}

Statement::~Statement() {
  if (slot_ == nullptr) {
    sqlite3_finalize(statement_);
    return;
  }
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  slot_->busy = false;
}

void Statement::Check(int code) const {
  if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) {
    Fail(machine_, db_, "cannot be read or written");
  }
}

Statement& Statement::Bind(int index, std::string_view text) {
  Check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::Bind(int index, std::int64_t number) {
  Check(sqlite3_bind_int64(statement_, index, number));
  return *this;
}

Statement& Statement::Bind(int index, const std::vector<std::uint8_t>& bytes) {
  Check(sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::BindNull(int index) {
  Check(sqlite3_bind_null(statement_, index));
  return *this;
}

bool Statement::Step() {
  const int code = sqlite3_step(statement_);
  Check(code);
  return code == SQLITE_ROW;
}

void Statement::Run() {
  while (Step()) {
  }
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::string Statement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  return text == nullptr
             ? std::string()
             : std::string(reinterpret_cast<const char*>(text),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::vector<std::uint8_t> Statement::Blob(int column) const {
  const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
  return bytes == nullptr
             ? std::vector<std::uint8_t>()
             : std::vector<std::uint8_t>(bytes, bytes + sqlite3_column_bytes(statement_, column));
}

StateStore::StateStore(sqlite3* db, fs::path file, std::string machine)
    : db_(db),
      process_(ThisProcess()),
      file_(std::move(file)),
      machine_(std::move(machine)),
      changes_(file_.parent_path() / kChangesFileName) {}

sqlite3* StateStore::OpenConnection(const fs::path& file, bool create, const std::string& machine) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW |
                    (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    const std::string reason = Cause(db);
    sqlite3_close(db);
    throw StateError(machine + ": its state store cannot be opened: " + reason);
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(db, 1);
  return db;
}

std::shared_ptr<StateStore> StateStore::Connect(const fs::path& machineFolder, bool create) {
  const std::string machine = MachineName(machineFolder);
  const fs::path file = machineFolder / kFileName;
  struct stat info {};
  const bool present = ::lstat(file.c_str(), &info) == 0;
  if (create && present) throw StateError(machine + " already has a state store");
  if (!create && !present) throw StateError(machine + " has no state store (" + kFileName + ")");
  if (present && !S_ISREG(info.st_mode)) {
    throw StateError(machine + ": its state store " + kFileName + " is not a file");
  }
  return std::shared_ptr<StateStore>(
      new StateStore(OpenConnection(file, create, machine), file, machine));
}

sqlite3* StateStore::Connection() {
  if (process_ != ThisProcess()) {
    // The inherited connection is abandoned, not closed: closing it could
    // checkpoint or remove the log files the parent is still using.
    statements_.Abandon();
    db_ = OpenConnection(file_, false, machine_);
    process_ = ThisProcess();
    depth_ = 0;
    Execute(db_, "PRAGMA synchronous=NORMAL", machine_, "cannot be opened");
  }
  return db_;
}

std::shared_ptr<StateStore> StateStore::Create(const fs::path& machineFolder) {
  auto store = Connect(machineFolder, true);
  Execute(store->db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", store->machine_,
          "cannot be made");
  // The marks and the tables are committed together, so that a store is
  // either recognised with all its tables or refused.
  const std::string schema = "PRAGMA application_id=" + std::to_string(kStateApplicationId) +
                             "; PRAGMA user_version=" + std::to_string(kStateSchemaVersion) + ";" +
                             kStateSchema;
  store->Write([&](const Transaction&) {
    Execute(store->db_, schema.c_str(), store->machine_, "cannot be made");
  });
  return store;
}

std::shared_ptr<StateStore> StateStore::Open(const fs::path& machineFolder) {
  auto store = Connect(machineFolder, false);
  const std::string& machine = store->machine_;
  if (PragmaNumber(store->db_, "application_id", machine) != kStateApplicationId) {
    throw StateError(machine + ": its " + kFileName + " is not a machine's state store");
  }
  int version = PragmaNumber(store->db_, "user_version", machine);
  if (version == 2) {
    store->Write([&](const Transaction&) {
      // Another process may have brought the store up while this one waited.
      if (PragmaNumber(store->db_, "user_version", machine) == 2) {
        Execute(store->db_, kStateMigrationFrom2, machine, "cannot be brought up to date");
      }
    });
    version = PragmaNumber(store->db_, "user_version", machine);
  }
  if (version != kStateSchemaVersion) {
    throw StateError(machine + " was made with state schema version " + std::to_string(version) +
                     "; this program reads version " + std::to_string(kStateSchemaVersion));
  }
  Statement check(store->db_, "PRAGMA quick_check", machine);
  if (!check.Step() || check.Text(0) != "ok") {
    throw StateError(machine + ": its state store is damaged");
  }
  Execute(store->db_, "PRAGMA synchronous=NORMAL", machine, "cannot be opened");
  return store;
}

StateStore::~StateStore() {
  // Closed with its statements still prepared, the connection goes when the
  // cache finalises them, right after.
  if (process_ == ThisProcess()) {
    sqlite3_close_v2(db_);
  } else {
    statements_.Abandon();
  }
}

void StateStore::Control(const char* sql, const char* doing) {
  const Statement statement(db_, sql, machine_, statements_);
  if (sqlite3_step(statement.statement_) != SQLITE_DONE) Fail(machine_, db_, doing);
}

void StateStore::Begin(bool write) {
  Control(write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED", "is busy or unreadable");
}

void StateStore::Commit() {
  const bool wrote = sqlite3_txn_state(db_, "main") == SQLITE_TXN_WRITE;
  Control("COMMIT", "cannot be written");
  if (wrote) changes_.Count();
}

std::optional<std::uint64_t> StateStore::KeptVersion() {
  // This process's own uncommitted changes are in no kept value.
  if (depth_ > 0 && sqlite3_txn_state(Connection(), "main") == SQLITE_TXN_WRITE) {
    return std::nullopt;
  }
  return changes_.Value();
}

void StateStore::Rollback() {
  const Statement statement(db_, "ROLLBACK", machine_, statements_);
  sqlite3_step(statement.statement_);
}

}  // namespace lyn::sim
