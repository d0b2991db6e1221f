#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/exercise_kind.hpp"

namespace kalkora::testing {

// The form state a sheet was made from, as the invariant check sees it.
struct CheckedSettings {
  ExerciseKind kind = ExerciseKind::Addition;
  int sheetSize = 18;
  std::string from = "1";
  std::string to = "100";
  // What the two range texts read as: each one's number toward zero, its low 32 bits. The
  // caller works it out, so that the check does not lean on the reading under test.
  struct Bounds {
    std::int32_t from = 1;
    std::int32_t to = 100;
  } bounds{};
  bool decimalsOn = false;
  std::string places = "2";
};

// Checks what must hold for every sheet whatever the draws: exactly N texts, each ending in
// " =" with nothing after it; operands plain non-negative integers within the clamped bounds
// and never above the lower bound + 32767; the larger integer first where the kind says so;
// fractions at most one half; suffixes "." and exactly k digits. Returns the first violation,
// or an empty text.
std::string CheckSheet(const CheckedSettings& settings, const std::vector<std::string>& texts);

}  // namespace kalkora::testing
