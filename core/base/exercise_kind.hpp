#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/base/controls.hpp"

namespace kalkora {

// In the order every choice tests them, which is also the order of 选择框1 to 选择框10.
enum class ExerciseKind {
  Addition,
  Subtraction,
  Multiplication,
  Division,
  AddSubMixed,
  MulDivMixed,
  FourOpMixed,
  ChainAddition,
  ChainAddSub,
  Fraction,
};

struct ExerciseKindInfo {
  ExerciseKind kind;
  std::string_view box;           // the kind's check box
  std::string_view confirmation;  // written to status panel 1 when the box is ticked
  std::string_view headingWord;   // named in the heading above the table
  int headingSpaces;              // blanks between the heading word and the score field
};

inline constexpr int kKindCount = 10;
extern const std::array<ExerciseKindInfo, kKindCount> kExerciseKinds;

const ExerciseKindInfo& KindInfo(ExerciseKind kind);

// The first kind, in the fixed order, whose box reads ticked; the boxes after it are not read.
std::optional<ExerciseKind> FirstTickedKind(Controls& controls);

}  // namespace kalkora
