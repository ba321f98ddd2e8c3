// How many changes have been committed to a machine's state store, counted
// by every process that uses the machine in a small file beside the store,
// mapped into each of them: a process that keeps what it read from the
// store knows it is still right, without asking the store, while the count
// has not moved.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lyn::sim {

class ChangeCounter {
 public:
  // Opens the count in `file`, making the file when it is missing. A count
  // that cannot be opened counts nothing: Value() is then always nullopt.
  explicit ChangeCounter(const std::filesystem::path& file);
  ~ChangeCounter();
  ChangeCounter(const ChangeCounter&) = delete;
  ChangeCounter& operator=(const ChangeCounter&) = delete;

  std::optional<std::uint64_t> Value() const;
  // After a change was committed.
  void Count() const;

 private:
  std::uint64_t* count_ = nullptr;  // in the mapped file
  bool writable_ = false;
};

}  // namespace lyn::sim
