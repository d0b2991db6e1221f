#pragma once

#include <string>
#include <vector>

#include "core/base/exercise_kind.hpp"

namespace kalkora {

// One worksheet of a class set, with everything its page and its answer key show.
struct Sheet {
  ExerciseKind kind = ExerciseKind::Addition;
  int size = 0;                       // 18, 24 or 30
  std::string title;                  // "数学作业练习"
  std::string heading;                // KindHeading(kind)
  std::vector<std::string> problems;  // size texts in reading order
  std::string dateText;               // "2026年12月9日"
  int code = 0;                       // 100000-999999
  std::vector<std::string> answers;   // one per problem, AnswerText of it
};

inline constexpr int kFirstSheetCode = 100000;
inline constexpr int kLastSheetCode = 999999;

bool IsSheetCode(int code);

// The code of sheet `index` (0 for the first) of a set whose first sheet has `firstCode`:
// the codes count up from it and wrap from 999999 to 100000.
int SheetCode(int firstCode, int index);

}  // namespace kalkora
