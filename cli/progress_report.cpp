#include "cli/progress_report.hpp"

namespace kalkora::cli {

ProgressLine::ProgressLine(std::ostream& out)
    : out_(out), start_(std::chrono::steady_clock::now()) {}

bool ProgressLine::Update(int done, int total) {
  if (open_ || std::chrono::steady_clock::now() - start_ >= std::chrono::seconds(1)) {
    out_ << "\rkalkora-sheets: 已完成 " << done << "/" << total << " 页" << std::flush;
    open_ = true;
  }
  return true;
}

void ProgressLine::Finish() {
  if (open_) out_ << '\n' << std::flush;
  open_ = false;
}

}  // namespace kalkora::cli
