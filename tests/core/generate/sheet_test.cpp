#include "core/generate/sheet.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/base/form_names.hpp"
#include "core/generate/answer.hpp"
#include "core/generate/kind_heading.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

using testing::MemoryControls;

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

TEST(MakeSheet, HoldsTheKindTitleHeadingDateCodeProblemsAndTheirAnswers) {
  MemoryControls settings;
  const Sheet sheet = MakeSheet(settings, 18, 482913, kDate);
  EXPECT_EQ(sheet.kind, ExerciseKind::Addition);
  EXPECT_EQ(sheet.size, 18);
  EXPECT_EQ(sheet.title, "数学作业练习");
  EXPECT_EQ(sheet.heading, KindHeading(ExerciseKind::Addition));
  EXPECT_EQ(sheet.dateText, "2026年12月9日");
  EXPECT_EQ(sheet.code, 482913);
  ASSERT_EQ(sheet.problems.size(), 18u);
  // Worked out by hand from the seeds above: the generator's draws, range 1 to 100.
  EXPECT_EQ(sheet.problems[0], "35 + 79 =");
  EXPECT_EQ(sheet.problems[1], "46 + 21 =");
  EXPECT_EQ(sheet.problems[17], "92 + 36 =");
  ASSERT_EQ(sheet.answers.size(), 18u);
  EXPECT_EQ(sheet.answers[0], "114");
}

TEST(MakeSheet, TheSameCodeAndSettingsGiveTheSameSheetWhateverRanBefore) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    MemoryControls settings;
    settings.ChooseKind(info.kind);
    settings.Select(form::单选框3);
    const bool decimals = info.kind < ExerciseKind::ChainAddition;
    if (decimals) settings.Select(form::单选框5);
    const Sheet first = MakeSheet(settings, 30, 999999, kDate);
    MakeSheet(settings, 30, 123456, kDate);  // leaves nothing behind for the next sheet
    const Sheet again = MakeSheet(settings, 30, 999999, kDate);
    EXPECT_EQ(again.problems, first.problems) << info.box;
    EXPECT_EQ(again.answers, first.answers) << info.box;
    const Sheet next = MakeSheet(settings, 30, 100000, kDate);
    EXPECT_NE(next.problems, first.problems) << info.box;
    if (info.kind == ExerciseKind::Subtraction) {
      EXPECT_EQ(first.problems[0], "84.40 - 57.21 =") << "worked out by hand";
      EXPECT_EQ(first.answers[0], "27.19");
    }
  }
}

TEST(MakeSheet, RefusesWhatNoValidatedFormHolds) {
  MemoryControls settings;
  EXPECT_THROW(MakeSheet(settings, 20, 482913, kDate), std::invalid_argument);
  EXPECT_THROW(MakeSheet(settings, 18, 99999, kDate), std::invalid_argument);
  settings.WriteState(form::选择框1, 0);
  EXPECT_THROW(MakeSheet(settings, 18, 482913, kDate), std::invalid_argument);
}

}  // namespace
}  // namespace kalkora
