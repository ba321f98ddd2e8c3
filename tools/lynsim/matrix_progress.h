// What lynsim matrix prints while it runs: on a terminal one line, redrawn,
// with the combinations done, those that failed and the time left; else a
// plain line for each combination as it ends.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace lyn::lynsim {

class MatrixProgress {
 public:
  MatrixProgress(std::ostream& out, bool terminal, std::size_t total);

  // A combination ended with this outcome (matrix_record.h).
  void Ended(const std::string& combination, const std::string& outcome);
  // Redraws the terminal's line (the time left moves on).
  void Tick();
  // Ends the terminal's line.
  void Done();

  std::size_t failed() const { return failed_; }

 private:
  void Draw();

  std::ostream& out_;
  bool terminal_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::size_t failed_ = 0;
  std::chrono::steady_clock::time_point started_;
};

}  // namespace lyn::lynsim
