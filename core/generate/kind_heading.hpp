#pragma once

#include <string>

#include "core/base/exercise_kind.hpp"

namespace kalkora {

// The line typed above the table: two spaces, the kind's heading word, a run of spaces and the
// score field "评分：".
std::string KindHeading(ExerciseKind kind);

}  // namespace kalkora
