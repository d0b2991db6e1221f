#include "core/generate/rule_random.hpp"

namespace kalkora {

std::uint64_t RuleRandom::Next() {
  state_ += 0x9E3779B97F4A7C15u;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

std::int64_t RuleRandom::Uniform(std::int64_t lo, std::int64_t hi) {
  const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
  const std::uint64_t draw = Next();
  if (span == 0) return static_cast<std::int64_t>(draw);  // the whole 64-bit range
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + draw % span);
}

std::uint64_t RuleSheetSeed(int code) {
  // A fixed tag keeps these streams apart from any other use of the code as a seed.
  return 0x6B616C6B6F726100u ^ static_cast<std::uint64_t>(code);
}

}  // namespace kalkora
