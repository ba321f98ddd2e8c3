// Where the matrix makes its combinations' machines: when it does not keep
// them, a private folder in memory (/dev/shm) if the host has one, since a
// machine's state store commits to the disk many times an install and on a
// busy disk those commits are most of a combination's time; else the
// combination's own folder. The private folder, with whatever a cut
// combination left in it, goes when the matrix ends.
#pragma once

#include <cstddef>
#include <filesystem>

namespace lyn::lynsim {

class MatrixScratch {
 public:
  explicit MatrixScratch(bool inMemory);
  MatrixScratch(const MatrixScratch&) = delete;
  MatrixScratch& operator=(const MatrixScratch&) = delete;
  ~MatrixScratch();

  // The folder for the machines of job `index`, whose own folder is `folder`.
  std::filesystem::path For(std::size_t index, const std::filesystem::path& folder) const;

 private:
  std::filesystem::path root_;
};

}  // namespace lyn::lynsim
