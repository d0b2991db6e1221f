#pragma once

#include <string>

#include "core/base/exercise_kind.hpp"

namespace kalkora {

// The line typed above the table: two spaces, the kind's heading word, a run of spaces and the
// score field "评分：".
std::string KindHeading(ExerciseKind kind);

// The heading of the sheet's answer key: two spaces, the kind's heading word and "答案".
std::string AnswerKeyHeading(ExerciseKind kind);

}  // namespace kalkora
