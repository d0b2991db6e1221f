#pragma once

#include <chrono>
#include <ostream>

namespace kalkora::cli {

// The progress line on standard error: shown once a run has taken a second, rewritten in
// place as pages are made or drawn, and ended by Finish.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& out);

  bool Update(int done, int total);
  void Finish();

 private:
  std::ostream& out_;
  std::chrono::steady_clock::time_point start_;
  bool open_ = false;
};

}  // namespace kalkora::cli
