#include "core/base/system_clock.hpp"

#include <ctime>
#include <thread>

namespace kalkora {

std::uint32_t SystemClock::TickCount() {
  const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot);
  return static_cast<std::uint32_t>(milliseconds.count());
}

LocalDateTime SystemClock::Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
          local->tm_hour,        local->tm_min,     local->tm_sec};
}

void SystemClock::Pause(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace kalkora
