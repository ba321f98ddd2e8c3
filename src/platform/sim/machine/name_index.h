// The names of one host folder by case-folded name: how the machine finds the
// entry Windows would take for a name, and lists a folder in the order
// Windows' file systems list it, without a cost that grows with the folder.
//
// An index is read from the folder once and is right for as long as the
// folder's change time has not moved (any entry made, removed or renamed
// moves it, and nothing can set it back), provided it was read after the
// host's clock had passed that time by the file system's resolution: a
// change made afterwards gets a later time. An index read sooner is only
// good for the lookup that read it (Settled).
//
// The index is one block of bytes, the same in memory and in the file that
// keeps it for other processes (Save, Load): a header, the entries sorted by
// folded name and then by name, a hash table of folded names, and the text.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>

namespace lyn::sim {

struct IndexedEntry {
  std::string_view name;  // as the host spells it
  // What the folder says the entry is; not known on file systems that do
  // not say (then the entry has to be asked).
  bool kindKnown = false;
  bool folder = false;
  bool link = false;
};

class NameIndex {
 public:
  // Reads the folder open as `folder`, whose status `self` was taken before
  // the call; null when it cannot be read.
  static std::shared_ptr<const NameIndex> Read(int folder, const struct stat& self);
  // The index kept in the file open as `file`; null when the file is not a
  // whole index.
  static std::shared_ptr<const NameIndex> Load(int file);
  // Writes the index to `file`; false when it could not.
  bool Save(int file) const;

  // The folder is the one read and has not changed since, as its status
  // `now` tells.
  bool Describes(const struct stat& now) const;
  // Whether any change after the reading would have moved the folder's time:
  // only such an index may be kept.
  bool Settled() const { return settled_; }

  // The entry Windows takes for `name`: the one spelt exactly so, else the
  // first in byte order among those that differ from it only in case.
  std::optional<IndexedEntry> Find(std::string_view name) const;
  std::size_t size() const;
  // The entries by case-folded name, as Windows lists a folder.
  IndexedEntry operator[](std::size_t i) const;

 private:
  struct Header {
    char magic[8];
    std::uint32_t version;
    std::uint32_t count;  // entries
    std::uint32_t slots;  // of the hash table: a power of two above count
    std::uint32_t textSize;
    // The folder read, and its change time then.
    std::uint64_t device;
    std::uint64_t inode;
    std::int64_t seconds;
    std::int64_t nanoseconds;
  };
  // One entry: its name and folded name in the text, and its kind as the
  // folder told it (a DT_ value).
  struct Record {
    std::uint32_t name;
    std::uint32_t folded;
    std::uint16_t nameLength;
    std::uint16_t foldedLength;
    std::uint8_t type;
    std::uint8_t unused[3];
  };

  NameIndex(std::shared_ptr<const void> owner, const std::byte* bytes, std::size_t size,
            bool settled);
  Record record(std::size_t i) const;
  std::uint32_t slot(std::size_t i) const;
  std::string_view Text(std::uint32_t offset, std::uint16_t length) const;
  // Whether the bytes hold a whole, consistent index.
  bool Whole() const;

  std::shared_ptr<const void> owner_;  // keeps the bytes
  const std::byte* bytes_;
  std::size_t size_;
  Header header_{};  // a copy of the bytes' header
  bool settled_;
};

// Whether a folder whose change time is `changed` can no longer change
// without that time moving, the host's coarse clock reading `now`: the clock
// has passed the time by the file system's resolution, which the time's own
// digits bound (a time in whole seconds may come from a file system that
// keeps two-second times).
bool TimeSettled(const std::timespec& changed, const std::timespec& now);

}  // namespace lyn::sim
