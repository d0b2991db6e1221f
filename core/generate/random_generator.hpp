#pragma once

#include <cstdint>

namespace kalkora {

// The program's one pseudo-random source: a 32-bit linear congruential generator that yields
// bits 16 to 30 of its state, 0 to 32767.
class RandomGenerator {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }

  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
  }

 private:
  std::uint32_t state_ = 0;
};

}  // namespace kalkora
