#include "uninstall/log_lines.h"

namespace lyn::uninstall {

bool LogLines::Take(std::string_view bytes) {
  if (stopped_) return false;
  total_ += bytes.size();
  if (total_ > kMaxLogBytes) {
    return Refuse("the log is larger than any the install writes (over " +
                  std::to_string(kMaxLogBytes) + " bytes)");
  }
  for (const char c : bytes) {
    if (c == '\n') {
      if (!partial_.ends_with('\r')) return Refuse("a line break that is not CR LF");
      partial_.pop_back();
      ++count_;
      if (!line_(partial_)) {
        stopped_ = true;
        return false;
      }
      partial_.clear();
      continue;
    }
    if (partial_.ends_with('\r')) return Refuse("a line break that is not CR LF");
    if (partial_.size() > kMaxLineBytes) {
      return Refuse("a line longer than any the install writes (over " +
                    std::to_string(kMaxLineBytes) + " bytes)");
    }
    partial_.push_back(c);
  }
  return true;
}

bool LogLines::Refuse(std::string reason) {
  refusal_ = std::move(reason);
  stopped_ = true;
  return false;
}

}  // namespace lyn::uninstall
