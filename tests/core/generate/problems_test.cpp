#include <gtest/gtest.h>

#include "core/generate/chain_problems.hpp"
#include "core/generate/fraction_problem.hpp"
#include "core/generate/number_text.hpp"
#include "core/generate/pair_problems.hpp"

namespace kalkora {
namespace {

class ProblemTest : public ::testing::Test {
 protected:
  void Range(const char* from, const char* to) {
    settings.from = from;
    settings.to = to;
  }
  void Seed(std::uint32_t seed) { state.random.Seed(seed); }

  SheetSettings settings;
  ProgramState state;
  GenerationContext context{settings, state};
};

TEST_F(ProblemTest, EqualBoundsGiveTheBoundInEveryKind) {
  Range("5", "5");
  EXPECT_EQ(ProblemText(Addition(context)), "5 + 5 =");
  EXPECT_EQ(ProblemText(Subtraction(context)), "5 - 5 =");
  Range("0", "0");
  EXPECT_EQ(ProblemText(Multiplication(context)), "0 × 0 =");
  EXPECT_EQ(ProblemText(Division(context)), "0 ÷ 0 =");
  EXPECT_EQ(ProblemText(ChainAdditionProblem(context, 18)), "0 + 0 + 0 + 0 + 0 =");
  EXPECT_EQ(ProblemText(ChainAdditionProblem(context, 30)), "0 + 0 + 0 + 0 =");
  EXPECT_EQ(ProblemText(FractionProblem(context)), "0 / 0 =");
  Range("1", "1");
  EXPECT_EQ(ProblemText(FractionProblem(context)), "0 / 1 =");
  Range("7", "7");
  EXPECT_EQ(ProblemText(FractionProblem(context)), "3 / 7 =");
  Range("9", "9");
  EXPECT_EQ(ProblemText(ChainAddSubProblem(context, 1, 18)), "9 + 9 - 4 + 9 - 4 =");
}

// Seed 1 yields 41, 18467, 6334, 26500, 19169: with the range 1 to 100 the draws are 42, 68,
// 35, 1, 70.
TEST_F(ProblemTest, LargerFirstKindsPutTheLargerDrawFirstAndLeaveTheSuffixesInPlace) {
  Range("1", "100");
  Seed(1);
  EXPECT_EQ(ProblemText(Addition(context)), "42 + 68 =");
  Seed(1);
  EXPECT_EQ(ProblemText(Subtraction(context)), "68 - 42 =");
  EXPECT_EQ(state.OperandText1, "42");
  EXPECT_EQ(state.OperandText2, "68");
  Seed(1);
  state.DecimalSuffix1 = ".51";
  state.DecimalSuffix2 = ".27";
  EXPECT_EQ(ProblemText(Division(context)), "68.51 ÷ 42.27 =");
  Seed(1);
  EXPECT_EQ(ProblemText(FractionProblem(context)), "21 / 68 =");
  Seed(1);
  state.DecimalSuffix1 = "x";
  EXPECT_EQ(ProblemText(ChainAddSubProblem(context, 1, 18)), "68 + 35 - 21 + 1 - 35 =");
  EXPECT_EQ(state.DecimalSuffix1, "") << "chained kinds clear the suffixes";
  Seed(1);
  EXPECT_EQ(ProblemText(ChainAddSubProblem(context, 8, 24)), "68 + 35 + 1 - 21 - 35 =");
  Seed(1);
  EXPECT_EQ(ProblemText(ChainAddSubProblem(context, 15, 24)), "68 + 35 - 21 + 1 + 35 =");
  Seed(1);
  EXPECT_EQ(ProblemText(ChainAddSubProblem(context, 30, 30)), "68 + 35 - 21 + 1 =");
}

// With equal integer draws the larger decimal part goes first, whichever suffix holds it; with
// unequal draws, or a suffix missing, the suffixes keep their places.
TEST_F(ProblemTest, LargerFirstKindsPutTheLargerSuffixFirstWhenTheDrawsTie) {
  struct Case {
    const char* from;
    const char* suffix1;
    const char* suffix2;
    const char* subtraction;
  };
  const Case cases[] = {
      {"5", ".123", ".456", "5.456 - 5.123 ="}, {"5", ".456", ".123", "5.456 - 5.123 ="},
      {"5", ".45", ".5", "5.5 - 5.45 ="},       {"5", ".77", ".77", "5.77 - 5.77 ="},
      {"5", "", ".27", "5 - 5.27 ="},           {"1", ".123", ".456", "68.123 - 42.456 ="},
  };
  for (const Case& c : cases) {
    Range(c.from, c.from[0] == '5' ? "5" : "100");
    state.DecimalSuffix1 = c.suffix1;
    state.DecimalSuffix2 = c.suffix2;
    Seed(1);
    EXPECT_EQ(ProblemText(Subtraction(context)), c.subtraction);
    std::string division = c.subtraction;
    division.replace(division.find(" - "), 3, " ÷ ");
    Seed(1);
    EXPECT_EQ(ProblemText(Division(context)), division);
    Seed(1);
    EXPECT_EQ(ProblemText(FourOpMixed(context, 6)), c.subtraction);
    Seed(1);
    EXPECT_EQ(ProblemText(MulDivMixed(context, 10)), division);
    EXPECT_EQ(state.DecimalSuffix1, c.suffix1) << "the suffixes themselves stay";
  }
}

TEST_F(ProblemTest, FractionsNeverExceedOneHalf) {
  Range("0", "1000");
  for (std::uint32_t seed = 0; seed < 5000; ++seed) {
    Seed(seed);
    const std::string text = ProblemText(FractionProblem(context));
    const auto slash = text.find(" / ");
    const int numerator = std::stoi(text.substr(0, slash));
    const int denominator = std::stoi(text.substr(slash + 3));
    ASSERT_LE(2 * numerator, denominator) << text;
    ASSERT_EQ(text.substr(text.size() - 2), " =");
  }
}

TEST_F(ProblemTest, MixedKindsSwitchOperationByPosition) {
  Range("3", "3");
  EXPECT_EQ(ProblemText(AddSubMixed(context, 9)), "3 + 3 =");
  EXPECT_EQ(ProblemText(AddSubMixed(context, 10)), "3 - 3 =");
  EXPECT_EQ(ProblemText(MulDivMixed(context, 9)), "3 × 3 =");
  EXPECT_EQ(ProblemText(MulDivMixed(context, 10)), "3 ÷ 3 =");
  const std::pair<int, const char*> fourOps[] = {{1, "3 + 3 ="},  {5, "3 + 3 ="},  {6, "3 - 3 ="},
                                                 {10, "3 - 3 ="}, {11, "3 × 3 ="}, {15, "3 × 3 ="},
                                                 {16, "3 ÷ 3 ="}, {30, "3 ÷ 3 ="}};
  for (const auto& [p, text] : fourOps) EXPECT_EQ(ProblemText(FourOpMixed(context, p)), text) << p;
}

}  // namespace
}  // namespace kalkora
