#pragma once

#include <chrono>
#include <cstdint>

namespace kalkora {

struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since the system started, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  virtual LocalDateTime Now() = 0;
  // Blocks the calling thread.
  virtual void Pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace kalkora
