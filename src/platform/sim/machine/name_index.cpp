#include "platform/sim/machine/name_index.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/machine/case_fold.h"

namespace lyn::sim {

namespace {

constexpr char kMagic[8] = {'L', 'Y', 'N', 'N', 'A', 'M', 'E', 'S'};
constexpr std::uint32_t kVersion = 1;

// FNV-1a: the same in every process, as the kept file needs.
std::uint64_t Hash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

long long Nanoseconds(const std::timespec& t) {
  return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

template <typename T>
T At(const std::byte* bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

}  // namespace

bool TimeSettled(const std::timespec& changed, const std::timespec& now) {
  long long resolution = 2'000'000'000LL;
  if (changed.tv_nsec != 0) {
    resolution = 1;
    for (long nanoseconds = changed.tv_nsec; nanoseconds % 10 == 0; nanoseconds /= 10) {
      resolution *= 10;
    }
  }
  return Nanoseconds(now) >= Nanoseconds(changed) + resolution;
}

std::shared_ptr<const NameIndex> NameIndex::Read(int folder, const struct stat& self) {
  // The clock before the names: a change after this reading gets a time no
  // earlier than the clock's.
  std::timespec now{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  // An O_PATH descriptor cannot be read: the folder is opened again through it.
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return nullptr;
  }
  std::string text;
  std::vector<Record> records;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) break;
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    Record record{};
    record.name = static_cast<std::uint32_t>(text.size());
    record.nameLength = static_cast<std::uint16_t>(name.size());
    record.type = entry->d_type;
    text += name;
    const std::string folded = FoldCase(name);
    record.folded = record.name;
    if (folded != name) {
      record.folded = static_cast<std::uint32_t>(text.size());
      text += folded;
    }
    record.foldedLength = static_cast<std::uint16_t>(folded.size());
    records.push_back(record);
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) return nullptr;

  const auto view = [&text](std::uint32_t offset, std::uint16_t length) {
    return std::string_view(text).substr(offset, length);
  };
  std::sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
    const std::string_view foldedA = view(a.folded, a.foldedLength);
    const std::string_view foldedB = view(b.folded, b.foldedLength);
    if (foldedA != foldedB) return foldedA < foldedB;
    return view(a.name, a.nameLength) < view(b.name, b.nameLength);
  });
  std::uint32_t slots = 8;
  while (slots < 2 * records.size()) slots *= 2;
  std::vector<std::uint32_t> table(slots, 0);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string_view folded = view(records[i].folded, records[i].foldedLength);
    if (i > 0 && view(records[i - 1].folded, records[i - 1].foldedLength) == folded) continue;
    std::uint64_t slot = Hash(folded) & (slots - 1);
    while (table[slot] != 0) slot = (slot + 1) & (slots - 1);
    table[slot] = static_cast<std::uint32_t>(i + 1);
  }

  Header header{};
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  header.version = kVersion;
  header.count = static_cast<std::uint32_t>(records.size());
  header.slots = slots;
  header.textSize = static_cast<std::uint32_t>(text.size());
  header.device = self.st_dev;
  header.inode = self.st_ino;
  header.seconds = self.st_ctim.tv_sec;
  header.nanoseconds = self.st_ctim.tv_nsec;
  auto bytes =
      std::make_shared<std::vector<std::byte>>(sizeof header + records.size() * sizeof(Record) +
                                               table.size() * sizeof(std::uint32_t) + text.size());
  std::byte* out = bytes->data();
  const auto put = [&out](const void* data, std::size_t size) {
    if (size > 0) std::memcpy(out, data, size);
    out += size;
  };
  put(&header, sizeof header);
  put(records.data(), records.size() * sizeof(Record));
  put(table.data(), table.size() * sizeof(std::uint32_t));
  put(text.data(), text.size());
  const std::byte* start = bytes->data();
  const std::size_t size = bytes->size();
  return std::shared_ptr<const NameIndex>(
      new NameIndex(std::move(bytes), start, size, TimeSettled(self.st_ctim, now)));
}

std::shared_ptr<const NameIndex> NameIndex::Load(int file) {
  struct stat status {};
  if (::fstat(file, &status) != 0 || status.st_size < static_cast<off_t>(sizeof(Header))) {
    return nullptr;
  }
  const auto size = static_cast<std::size_t>(status.st_size);
  void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, file, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const std::shared_ptr<const void> owner(
      mapped, [size](const void* m) { ::munmap(const_cast<void*>(m), size); });
  auto index = std::shared_ptr<const NameIndex>(
      new NameIndex(owner, static_cast<const std::byte*>(mapped), size, true));
  return index->Whole() ? index : nullptr;
}

bool NameIndex::Save(int file) const {
  std::size_t written = 0;
  while (written < size_) {
    const ssize_t now = ::write(file, bytes_ + written, size_ - written);
    if (now < 0 && errno == EINTR) continue;
    if (now <= 0) return false;
    written += static_cast<std::size_t>(now);
  }
  return true;
}

NameIndex::NameIndex(std::shared_ptr<const void> owner, const std::byte* bytes, std::size_t size,
                     bool settled)
    : owner_(std::move(owner)), bytes_(bytes), size_(size), settled_(settled) {
  if (size_ >= sizeof header_) header_ = At<Header>(bytes_, 0);
}

NameIndex::Record NameIndex::record(std::size_t i) const {
  return At<Record>(bytes_, sizeof(Header) + i * sizeof(Record));
}

std::uint32_t NameIndex::slot(std::size_t i) const {
  return At<std::uint32_t>(
      bytes_, sizeof(Header) + header_.count * sizeof(Record) + i * sizeof(std::uint32_t));
}

std::string_view NameIndex::Text(std::uint32_t offset, std::uint16_t length) const {
  return std::string_view(
      reinterpret_cast<const char*>(bytes_) + (size_ - header_.textSize) + offset, length);
}

bool NameIndex::Whole() const {
  const Header& h = header_;
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.version != kVersion) return false;
  if (h.slots == 0 || (h.slots & (h.slots - 1)) != 0 || h.slots <= h.count) return false;
  const std::uint64_t expected = sizeof(Header) + std::uint64_t{h.count} * sizeof(Record) +
                                 std::uint64_t{h.slots} * sizeof(std::uint32_t) + h.textSize;
  if (expected != size_) return false;
  for (std::size_t i = 0; i < h.count; ++i) {
    const Record r = record(i);
    if (std::uint64_t{r.name} + r.nameLength > h.textSize ||
        std::uint64_t{r.folded} + r.foldedLength > h.textSize) {
      return false;
    }
  }
  // A search ends at an empty slot: there must be one.
  bool empty = false;
  for (std::size_t i = 0; i < h.slots; ++i) {
    const std::uint32_t first = slot(i);
    if (first > h.count) return false;
    empty = empty || first == 0;
  }
  return empty;
}

bool NameIndex::Describes(const struct stat& now) const {
  const Header& h = header_;
  return h.device == now.st_dev && h.inode == now.st_ino && h.seconds == now.st_ctim.tv_sec &&
         h.nanoseconds == now.st_ctim.tv_nsec;
}

std::size_t NameIndex::size() const {
  return header_.count;
}

IndexedEntry NameIndex::operator[](std::size_t i) const {
  const Record r = record(i);
  IndexedEntry entry;
  entry.name = Text(r.name, r.nameLength);
  entry.kindKnown = r.type != DT_UNKNOWN;
  entry.folder = r.type == DT_DIR;
  entry.link = r.type == DT_LNK;
  return entry;
}

std::optional<IndexedEntry> NameIndex::Find(std::string_view name) const {
  const std::string folded = FoldCase(name);
  const std::uint32_t mask = header_.slots - 1;
  // The table is never full, so a search ends at an empty slot.
  for (std::uint64_t i = Hash(folded) & mask;; i = (i + 1) & mask) {
    const std::uint32_t first = slot(i);
    if (first == 0) return std::nullopt;
    if (Text(record(first - 1).folded, record(first - 1).foldedLength) != folded) continue;
    // The entries that fold alike lie together, in byte order of name.
    for (std::size_t k = first - 1; k < header_.count; ++k) {
      const Record r = record(k);
      if (Text(r.folded, r.foldedLength) != folded) break;
      if (Text(r.name, r.nameLength) == name) return (*this)[k];
    }
    return (*this)[first - 1];
  }
}

}  // namespace lyn::sim
