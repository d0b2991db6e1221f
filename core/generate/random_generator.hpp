#pragma once

#include <cstdint>

namespace kalkora {

// MurmurHash3's 32-bit finaliser. Seeds that lie close together (ticks a millisecond apart,
// consecutive sheet codes) give states spread over all 32 bits, so that the first draws after
// them are unrelated; the generator alone would make them climb in step.
constexpr std::uint32_t Fmix32(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x85EBCA6Bu;
  h ^= h >> 13;
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  return h;
}

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
