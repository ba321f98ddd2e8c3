#include "platform/sim/machine/change_counter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace lyn::sim {

ChangeCounter::ChangeCounter(const std::filesystem::path& file) {
  constexpr int kFlags = O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
  writable_ = fd >= 0;
  // A machine this process may only read: its count is still followed.
  if (fd < 0) fd = ::open(file.c_str(), O_RDONLY | kFlags);
  if (fd < 0) return;
  struct stat status {};
  // Processes that make the file at once each give it the size; its bytes
  // start as zeros.
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
      (status.st_size >= static_cast<off_t>(sizeof *count_) ||
       (writable_ && ::ftruncate(fd, sizeof *count_) == 0))) {
    void* mapped = ::mmap(nullptr, sizeof *count_, writable_ ? PROT_READ | PROT_WRITE : PROT_READ,
                          MAP_SHARED, fd, 0);
    if (mapped != MAP_FAILED) count_ = static_cast<std::uint64_t*>(mapped);
  }
  ::close(fd);
}

ChangeCounter::~ChangeCounter() {
  if (count_ != nullptr) ::munmap(count_, sizeof *count_);
}

std::optional<std::uint64_t> ChangeCounter::Value() const {
  if (count_ == nullptr) return std::nullopt;
  return std::atomic_ref<std::uint64_t>(*count_).load(std::memory_order_acquire);
}

void ChangeCounter::Count() const {
  if (count_ != nullptr && writable_) {
    std::atomic_ref<std::uint64_t>(*count_).fetch_add(1, std::memory_order_acq_rel);
  }
}

}  // namespace lyn::sim
