#pragma once

#include <string>
#include <vector>

#include "core/base/clock.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/generate/problem.hpp"
#include "core/generate/rule_draw.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// The title that heads every page.
inline constexpr char kSheetTitle[] = "数学作业练习";

// One worksheet of a class set, with everything its page and its answer key show.
struct Sheet {
  ExerciseKind kind = ExerciseKind::Addition;
  int size = 0;                   // 18, 24 or 30
  std::string title;              // kSheetTitle
  std::string heading;            // KindHeading(kind)
  std::vector<Problem> problems;  // size problems in reading order
  std::string dateText;           // "2026年12月9日"
  int code = 0;                   // 100000-999999
  std::string ruleWords = {};     // RuleWords of the rules it was made under; empty: none
};

inline constexpr int kFirstSheetCode = 100000;
inline constexpr int kLastSheetCode = 999999;

bool IsSheetCode(int code);

// The code of sheet `index` (0 for the first) of a set whose first sheet has `firstCode`:
// the codes count up from it and wrap from 999999 to 100000. A first code out of range is
// first brought into it the same way.
int SheetCode(int firstCode, int index);

// The seed of problem p (1 for the first) of the sheet with `code`: Fmix32(1000 × code + p),
// modulo 2^32.
std::uint32_t SheetProblemSeed(int code, int p);

// The sheet with `code` for the settings: each problem is prepared with its SheetProblemSeed
// instead of a tick and then generated as on the classic sheet, from a program state of its
// own, so that the same code and settings give the same sheet and key again, anywhere. The
// settings must have passed ValidateSettings; throws std::invalid_argument when no kind is
// chosen, for a size other than 18, 24 or 30, or a code out of range.
// With any rule set, the problems come from the rules' draw instead (`draw`, prepared once for
// the whole set from these settings; prepared here when null, and std::invalid_argument with
// its refusal when the rules cannot be met), and the sheet keeps the rules in words.
Sheet MakeSheet(const SheetSettings& settings, int code, const LocalDateTime& date,
                const RuledDraw* draw = nullptr);

}  // namespace kalkora
