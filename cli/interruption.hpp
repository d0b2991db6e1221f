#pragma once

#include <atomic>
#include <functional>

namespace kalkora::cli {

// Ctrl+C, a closed terminal or a plain kill would end the process where it stands, leaving
// temporary files behind. Instead the signal is taken by a thread of its own, which marks the
// run interrupted and calls `onSignal`, so that the run ends through its own clean-up. On
// POSIX, a write past the file size limit fails as an error rather than ending the process
// with SIGXFSZ.
class Interruption {
 public:
  // Construct before any other thread starts: the signals are blocked in every thread made
  // after it.
  explicit Interruption(std::function<void()> onSignal);

  bool Happened() const { return happened_; }

 private:
  std::function<void()> onSignal_;
  std::atomic<bool> happened_{false};
};

}  // namespace kalkora::cli
