#pragma once

#include <cstdint>

namespace kalkora {

// The random source of sheets made with rules: SplitMix64, written out here so that the same
// seed gives the same numbers with every compiler and standard library. (The standard
// library's distributions differ between implementations; its engines are not used either.)
class RuleRandom {
 public:
  explicit RuleRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();

  // A whole number from lo to hi, both included (lo <= hi), every one equally likely to within
  // span / 2^64: one 64-bit draw taken modulo the span, so no draw loops.
  std::int64_t Uniform(std::int64_t lo, std::int64_t hi);

 private:
  std::uint64_t state_;
};

// The seed of the rule draw of the sheet with `code`.
std::uint64_t RuleSheetSeed(int code);

}  // namespace kalkora
