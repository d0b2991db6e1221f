#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/base/clock.hpp"

namespace kalkora::testing {

// A clock whose tick count is scripted: queued values first, then a counter that moves by
// `step` on every read. A pause moves the counter by its length and is recorded.
class FakeClock : public Clock {
 public:
  std::uint32_t TickCount() override;
  LocalDateTime Now() override { return now; }
  void Pause(std::chrono::milliseconds duration) override;

  std::deque<std::uint32_t> queuedTicks;
  std::uint32_t tick = 100000;
  std::uint32_t step = 1;
  LocalDateTime now{2026, 12, 8, 9, 30, 15};
  std::vector<std::chrono::milliseconds> pauses;
};

}  // namespace kalkora::testing
