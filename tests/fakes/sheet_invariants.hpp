#pragma once

#include <string>
#include <vector>

#include "core/base/exercise_kind.hpp"

namespace kalkora::testing {

// The form state a sheet was made from.
struct SheetSettings {
  ExerciseKind kind = ExerciseKind::Addition;
  int sheetSize = 18;
  std::string from = "1";
  std::string to = "100";
  bool decimalsOn = false;
  std::string places = "2";
};

// Checks what must hold for every sheet whatever the draws: exactly N texts, each ending in
// " =" with nothing after it; operands plain non-negative integers within the clamped bounds
// and never above the lower bound + 32767; the larger integer first where the kind says so;
// fractions at most one half; suffixes "." and exactly k digits. Returns the first violation,
// or an empty text.
std::string CheckSheet(const SheetSettings& settings, const std::vector<std::string>& texts);

}  // namespace kalkora::testing
