#include "matrix_scratch.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace lyn::lynsim {

namespace fs = std::filesystem;

MatrixScratch::MatrixScratch(bool inMemory) {
  constexpr const char* kMemory = "/dev/shm";
  if (!inMemory || ::access(kMemory, W_OK | X_OK) != 0) return;
  std::string pattern = std::string(kMemory) + "/lynsim-matrix-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return;
  root_ = pattern;
}

MatrixScratch::~MatrixScratch() {
  if (root_.empty()) return;
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

fs::path MatrixScratch::For(std::size_t index, const fs::path& folder) const {
  return root_.empty() ? folder : root_ / std::to_string(index);
}

}  // namespace lyn::lynsim
