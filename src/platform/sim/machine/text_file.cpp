#include "platform/sim/machine/text_file.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lyn::sim {

std::string ReadTextFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteTextFileAtomically(const std::filesystem::path& file, std::string_view text) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = file;
  temporary += ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) {
      const int error = errno;
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw std::runtime_error("cannot write " + file.string() + ": " +
                               (error != 0 ? std::strerror(error) : "a write failed"));
    }
  }
  std::filesystem::rename(temporary, file);
}

}  // namespace lyn::sim
