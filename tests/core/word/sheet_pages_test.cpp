#include "core/word/sheet_pages.hpp"

#include <gtest/gtest.h>

namespace kalkora {
namespace {

Sheet TwoProblemSheet(ExerciseKind kind) {
  return {kind,
          18,
          kSheetTitle,
          "heading",
          {{{"97", "13"}, {Operator::Divide}}, {{"10", "40"}, {Operator::FractionBar}}},
          "2026年12月9日",
          482913};
}

TEST(SheetPages, TheWorksheetShowsTheProblemsAndTheDateWithTheCode) {
  const DocumentPage page = WorksheetPage(TwoProblemSheet(ExerciseKind::Division));
  EXPECT_EQ(page.sheetSize, 18);
  EXPECT_EQ(page.heading, "heading");
  EXPECT_EQ(page.cells, (std::vector<std::string>{"97 ÷ 13 =", "10 / 40 ="}));
  EXPECT_EQ(page.dateLine, "2026年12月9日    卷号 482913");
}

TEST(SheetPages, TheKeyHasItsOwnHeadingAndEachProblemAloneWithItsAnswerApart) {
  const DocumentPage key = AnswerKeyPage(TwoProblemSheet(ExerciseKind::Division));
  EXPECT_EQ(key.heading, "  除法运算题答案");
  EXPECT_EQ(key.cells, (std::vector<std::string>{"97 ÷ 13 =", "10 / 40 ="}));
  EXPECT_EQ(key.answers, (std::vector<std::string>{"7……6", "1/4"}));
  EXPECT_EQ(key.title, kSheetTitle);
  EXPECT_EQ(key.dateLine, "2026年12月9日    卷号 482913");
  EXPECT_EQ(AnswerKeyPage(TwoProblemSheet(ExerciseKind::ChainAddSub)).heading,
            "  连续加减法运算题答案");
  EXPECT_EQ(AnswerKeyPage(TwoProblemSheet(ExerciseKind::Addition)).heading, "  加法运算题答案");
}

TEST(SheetPages, TheKeyOfASheetMadeUnderRulesSaysTheRulesOnOneLine) {
  Sheet sheet = TwoProblemSheet(ExerciseKind::Division);
  using Lines = std::vector<std::string>;
  EXPECT_EQ(AnswerKeyPage(sheet).underHeading, Lines{}) << "no rules, no line";
  sheet.ruleWords = "表内除法：第二个数 1～9，结果 1～9，余数 0%";
  EXPECT_EQ(AnswerKeyPage(sheet).underHeading, Lines{sheet.ruleWords});
  EXPECT_EQ(WorksheetPage(sheet).underHeading, Lines{}) << "the pupils' page keeps its look";
  sheet.ruleWords = std::string(100, 'x');
  EXPECT_EQ(AnswerKeyPage(sheet).underHeading, Lines{std::string(kRuleLineColumns - 2, 'x') + "…"});
}

}  // namespace
}  // namespace kalkora
