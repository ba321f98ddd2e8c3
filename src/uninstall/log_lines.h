// The uninstall log's bytes, as they are read, cut into lines. The install
// writes at most about 200 lines (the first entry, 43 files and their 43
// registrations, the group, four shortcuts, the entry, the headers and
// "[END]"), each a path of at most MAX_PATH characters with a product name
// or two appended: 512 bytes a line and 128 KiB in all leave room to spare.
// Anything longer was not written by the install, so it is refused as soon
// as it passes a limit, without reading the rest.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lyn::uninstall {

inline constexpr std::size_t kMaxLogBytes = 128 * 1024;
inline constexpr std::size_t kMaxLineBytes = 512;

class LogLines {
 public:
  // Called with each whole line, without its CR LF; returns false to stop.
  using LineFunction = std::function<bool(std::string_view line)>;

  explicit LogLines(LineFunction line) : line_(std::move(line)) {}

  // Takes the next bytes of the file; false once the lines are refused (or
  // the line function stopped them).
  bool Take(std::string_view bytes);

  // Why the bytes were refused, if they were.
  const std::optional<std::string>& Refusal() const { return refusal_; }
  // Lines passed on so far.
  int Count() const { return count_; }
  // The bytes after the last CR LF: a line the file ends inside.
  std::string_view Partial() const { return partial_; }

 private:
  bool Refuse(std::string reason);

  LineFunction line_;
  std::string partial_;
  std::size_t total_ = 0;
  int count_ = 0;
  bool stopped_ = false;
  std::optional<std::string> refusal_;
};

}  // namespace lyn::uninstall
