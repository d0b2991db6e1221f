#include "core/generate/sheet.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/base/form_names.hpp"
#include "core/generate/kind_heading.hpp"

namespace kalkora {
namespace {

constexpr LocalDateTime kDate{2026, 12, 9, 8, 30, 0};

TEST(SheetCode, CountsUpFromTheFirstCodeAndWrapsWithinSixDigits) {
  const struct {
    int first, index, code;
  } cases[] = {{482913, 0, 482913},     {482913, 39, 482952}, {999999, 0, 999999},
               {999999, 1, 100000},     {999990, 20, 100010}, {100000, 899999, 999999},
               {100000, 900000, 100000}};
  for (const auto& c : cases)
    EXPECT_EQ(SheetCode(c.first, c.index), c.code) << c.first << "+" << c.index;
  EXPECT_TRUE(IsSheetCode(100000));
  EXPECT_TRUE(IsSheetCode(999999));
  EXPECT_FALSE(IsSheetCode(99999));
  EXPECT_FALSE(IsSheetCode(1000000));
}

// The values come from MurmurHash3's reference finaliser applied to 1000 × code + p.
TEST(SheetCode, ProblemPIsSeededWithTheFinalisedCodeAndPosition) {
  EXPECT_EQ(SheetProblemSeed(482913, 1), 0x044C7486u);
  EXPECT_EQ(SheetProblemSeed(482913, 18), 0x878C711Eu);
  EXPECT_EQ(SheetProblemSeed(999999, 30), 0x835B9646u);
}

TEST(MakeSheet, HoldsTheKindTitleHeadingDateCodeAndTheDrawnProblems) {
  const Sheet sheet = MakeSheet(SheetSettings{}, 482913, kDate);
  EXPECT_EQ(sheet.kind, ExerciseKind::Addition);
  EXPECT_EQ(sheet.size, 18);
  EXPECT_EQ(sheet.title, "数学作业练习");
  EXPECT_EQ(sheet.heading, KindHeading(ExerciseKind::Addition));
  EXPECT_EQ(sheet.dateText, "2026年12月9日");
  EXPECT_EQ(sheet.code, 482913);
  ASSERT_EQ(sheet.problems.size(), 18u);
  // Worked out by hand from the seeds above: the generator's draws, range 1 to 100.
  EXPECT_EQ(sheet.problems[0], (Problem{{"35", "79"}, {Operator::Plus}}));
  EXPECT_EQ(sheet.problems[17], (Problem{{"92", "36"}, {Operator::Plus}}));
}

TEST(MakeSheet, TheSameCodeAndSettingsGiveTheSameSheetWhateverRanBefore) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    SheetSettings settings;
    settings.kind = info.kind;
    settings.size = 30;
    settings.decimals = info.kind < ExerciseKind::ChainAddition;
    const Sheet first = MakeSheet(settings, 999999, kDate);
    MakeSheet(settings, 123456, kDate);  // leaves nothing behind for the next sheet
    const Sheet again = MakeSheet(settings, 999999, kDate);
    EXPECT_EQ(again.problems, first.problems) << info.box;
    const Sheet next = MakeSheet(settings, 100000, kDate);
    EXPECT_NE(next.problems, first.problems) << info.box;
    if (info.kind == ExerciseKind::Subtraction) {
      EXPECT_EQ(first.problems[0], (Problem{{"84.40", "57.21"}, {Operator::Minus}}))
          << "worked out by hand";
    }
  }
}

TEST(MakeSheet, RefusesWhatNoValidatedFormHolds) {
  SheetSettings settings;
  settings.size = 20;
  EXPECT_THROW(MakeSheet(settings, 482913, kDate), std::invalid_argument);
  settings.size = 18;
  EXPECT_THROW(MakeSheet(settings, 99999, kDate), std::invalid_argument);
  settings.kind.reset();
  EXPECT_THROW(MakeSheet(settings, 482913, kDate), std::invalid_argument);
}

}  // namespace
}  // namespace kalkora
