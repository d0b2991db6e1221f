#pragma once

#include "core/base/clock.hpp"

namespace kalkora {

// The machine's clock: a monotonic millisecond count since boot, taken modulo 2^32, the local
// date and time, and a sleeping pause.
class SystemClock : public Clock {
 public:
  std::uint32_t TickCount() override;
  LocalDateTime Now() override;
  void Pause(std::chrono::milliseconds duration) override;
};

}  // namespace kalkora
