#include "matrix_progress.h"

#include <cmath>

#include "matrix_record.h"

namespace lyn::lynsim {

MatrixProgress::MatrixProgress(std::ostream& out, bool terminal, std::size_t total)
    : out_(out), terminal_(terminal), total_(total), started_(std::chrono::steady_clock::now()) {
  if (terminal_) Draw();
}

void MatrixProgress::Ended(const std::string& combination, const std::string& outcome) {
  ++done_;
  if (outcome == outcomes::kFailed || outcome == outcomes::kHung) ++failed_;
  if (terminal_) {
    Draw();
  } else {
    out_ << done_ << "/" << total_ << " " << combination << ": " << outcome << std::endl;
  }
}

void MatrixProgress::Tick() {
  if (terminal_) Draw();
}

void MatrixProgress::Done() {
  if (terminal_) out_ << "\n" << std::flush;
}

void MatrixProgress::Draw() {
  out_ << "\r\x1b[K" << done_ << "/" << total_ << " done, " << failed_ << " failed";
  if (done_ > 0 && done_ < total_) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    const double left = elapsed / static_cast<double>(done_) * static_cast<double>(total_ - done_);
    out_ << ", about " << std::lround(std::ceil(left)) << " s left";
  }
  out_ << std::flush;
}

}  // namespace lyn::lynsim
