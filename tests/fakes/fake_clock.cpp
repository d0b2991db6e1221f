#include "fakes/fake_clock.hpp"

namespace kalkora::testing {

std::uint32_t FakeClock::TickCount() {
  if (!queuedTicks.empty()) {
    const std::uint32_t value = queuedTicks.front();
    queuedTicks.pop_front();
    return value;
  }
  const std::uint32_t value = tick;
  tick += step;
  return value;
}

void FakeClock::Pause(std::chrono::milliseconds duration) {
  pauses.push_back(duration);
  tick += static_cast<std::uint32_t>(duration.count());
}

}  // namespace kalkora::testing
