#include "platform/sim/pe/resource_directory.h"

namespace lyn::sim::pe {
namespace {

constexpr std::uint32_t kSubdirectoryBit = 0x80000000;
constexpr std::uint64_t kDirectoryHeaderSize = 16;
constexpr std::uint64_t kEntrySize = 8;

struct Entry {
  std::uint32_t id;
  std::uint32_t target;  // offset from the tree's start; kSubdirectoryBit marks a directory
};

// The numbered entries of the directory at `offset` (named entries come
// first in a directory and are skipped).
class Directory {
 public:
  Directory(const ByteView& tree, std::uint64_t offset) : tree_(tree), offset_(offset) {
    named_ = tree_.U16(offset_ + 12);
    numbered_ = tree_.U16(offset_ + 14);
  }

  std::uint32_t NumberedCount() const { return numbered_; }

  Entry Numbered(std::uint32_t index) const {
    const std::uint64_t at =
        offset_ + kDirectoryHeaderSize + (named_ + std::uint64_t{index}) * kEntrySize;
    return {tree_.U32(at), tree_.U32(at + 4)};
  }

  std::optional<Entry> Find(std::uint32_t id) const {
    for (std::uint32_t i = 0; i < numbered_; ++i) {
      const Entry entry = Numbered(i);
      if (entry.id == id) return entry;
    }
    return std::nullopt;
  }

 private:
  ByteView tree_;
  std::uint64_t offset_;
  std::uint32_t named_ = 0;
  std::uint32_t numbered_ = 0;
};

std::uint64_t Subdirectory(const Entry& entry) {
  if ((entry.target & kSubdirectoryBit) == 0)
    throw FormatError("resource entry is not a directory");
  return entry.target & ~kSubdirectoryBit;
}

std::optional<Entry> ChooseLanguage(const Directory& languages) {
  for (const std::uint32_t preferred : {kLangNeutral, kLangEnglishUs}) {
    if (auto entry = languages.Find(preferred)) return entry;
  }
  if (languages.NumberedCount() == 0) return std::nullopt;
  return languages.Numbered(0);
}

}  // namespace

std::optional<ByteView> FindResource(const Image& image, std::uint32_t type, std::uint32_t name) {
  const DataDirectory resources = image.Directory(kResourceDirectory);
  if (resources.rva == 0) return std::nullopt;
  const ByteView tree = image.FromRva(resources.rva);

  const auto typeEntry = Directory(tree, 0).Find(type);
  if (!typeEntry) return std::nullopt;
  const auto nameEntry = Directory(tree, Subdirectory(*typeEntry)).Find(name);
  if (!nameEntry) return std::nullopt;
  const auto language = ChooseLanguage(Directory(tree, Subdirectory(*nameEntry)));
  if (!language) return std::nullopt;
  if (language->target & kSubdirectoryBit) throw FormatError("resource data entry is a directory");

  // A data entry holds the data's address in the image and its size.
  const std::uint64_t dataEntry = language->target;
  return image.AtRva(tree.U32(dataEntry), tree.U32(dataEntry + 4));
}

}  // namespace lyn::sim::pe
