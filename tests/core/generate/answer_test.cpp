#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "core/generate/answer.hpp"
#include "core/generate/exact_decimal.hpp"

namespace kalkora {
namespace {

// A problem written out, "a op b [op c ...] =", for the tables: its words between single
// blanks alternate operand and operator.
Problem Written(const std::string& text) {
  static const std::map<std::string, Operator> operators = {{"+", Operator::Plus},
                                                            {"-", Operator::Minus},
                                                            {"×", Operator::Times},
                                                            {"÷", Operator::Divide},
                                                            {"/", Operator::FractionBar}};
  Problem problem;
  std::istringstream words(text);
  for (std::string word; words >> word && word != "=";) {
    if (problem.operands.size() > problem.operators.size()) {
      problem.operators.push_back(operators.at(word));
    } else {
      problem.operands.push_back(word);
    }
  }
  return problem;
}

struct AnswerCase {
  std::string problem;
  std::string answer;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << '"' << c.problem << '"'; }

class AnswerTextTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerTextTest, GivesTheExactAnswer) {
  EXPECT_EQ(AnswerText(Written(GetParam().problem)), GetParam().answer)
      << '"' << GetParam().problem << '"';
}

INSTANTIATE_TEST_SUITE_P(
    SumsAndDifferences, AnswerTextTest,
    ::testing::Values(AnswerCase{"37 + 52 =", "89"}, AnswerCase{"37.25 + 52.80 =", "90.05"},
                      AnswerCase{"0.5 + 0.5 =", "1"}, AnswerCase{"1.10 + 2.20 =", "3.3"},
                      AnswerCase{"-20 + -3 =", "-23"}, AnswerCase{"5 - 5 =", "0"},
                      AnswerCase{"5 - -3 =", "8"}, AnswerCase{"0.1 - 0.25 =", "-0.15"},
                      AnswerCase{"2.5 - 7.5 =", "-5"}, AnswerCase{"-0 + 0 =", "0"}));

INSTANTIATE_TEST_SUITE_P(Products, AnswerTextTest,
                         ::testing::Values(AnswerCase{"2.15 × 3.4 =", "7.31"},
                                           AnswerCase{"0 × 0 =", "0"}, AnswerCase{"0 × -5 =", "0"},
                                           AnswerCase{"-3 × 4 =", "-12"},
                                           AnswerCase{"-0.5 × -0.2 =", "0.1"},
                                           AnswerCase{"2.50 × 4.0 =", "10"}));

INSTANTIATE_TEST_SUITE_P(
    IntegerQuotients, AnswerTextTest,
    ::testing::Values(AnswerCase{"97 ÷ 13 =", "7……6"}, AnswerCase{"42 ÷ 6 =", "7"},
                      AnswerCase{"9 ÷ 9 =", "1"}, AnswerCase{"0 ÷ 7 =", "0"},
                      AnswerCase{"3 ÷ 5 =", "0……3"}, AnswerCase{"-7 ÷ 2 =", "-3……-1"},
                      AnswerCase{"7 ÷ -2 =", "-3……1"}, AnswerCase{"-7 ÷ -2 =", "3……-1"},
                      AnswerCase{"-1 ÷ 2 =", "0……-1"}, AnswerCase{"-8 ÷ 2 =", "-4"}));

INSTANTIATE_TEST_SUITE_P(
    DecimalQuotients, AnswerTextTest,
    ::testing::Values(AnswerCase{"5.855 ÷ 5.653 =", "≈1.04"}, AnswerCase{"1.5 ÷ 0.25 =", "6"},
                      AnswerCase{"7.0 ÷ 2 =", "3.5"}, AnswerCase{"7 ÷ 2.0 =", "3.5"},
                      AnswerCase{"1 ÷ 3.2 =", "0.3125"}, AnswerCase{"0 ÷ 2.5 =", "0"},
                      AnswerCase{"7 ÷ 4.99 =", "≈1.40"}, AnswerCase{"-1 ÷ 3.0 =", "≈-0.33"},
                      AnswerCase{"-1.5 ÷ -0.25 =", "6"}, AnswerCase{"1.5 ÷ -0.4 =", "-3.75"}));

// Past four places the quotient is approximated; a third digit of 5 or more rounds away from
// zero on either side, and a value that rounds to zero carries no sign.
INSTANTIATE_TEST_SUITE_P(
    Rounding, AnswerTextTest,
    ::testing::Values(AnswerCase{"1 ÷ 6.4 =", "≈0.16"}, AnswerCase{"-1 ÷ 6.4 =", "≈-0.16"},
                      AnswerCase{"1 ÷ 66.0 =", "≈0.02"}, AnswerCase{"-1 ÷ 66.0 =", "≈-0.02"},
                      AnswerCase{"1 ÷ 67.0 =", "≈0.01"}, AnswerCase{"1 ÷ -67.0 =", "≈-0.01"},
                      AnswerCase{"29.99 ÷ 3.0 =", "≈10.00"},
                      AnswerCase{"-29.99 ÷ 3.0 =", "≈-10.00"}, AnswerCase{"1 ÷ 300.5 =", "≈0.00"},
                      AnswerCase{"-1 ÷ 300.5 =", "≈0.00"}));

INSTANTIATE_TEST_SUITE_P(
    WidestOperands, AnswerTextTest,
    ::testing::Values(
        AnswerCase{"2147483647.99999 × 2147483647.99999 =", "4611686018427344954.3270400001"},
        AnswerCase{"2147483647.99999 × -2147483648.42767 =", "-4611686019345780760.9036757233"},
        AnswerCase{"-2147483648.42767 ÷ 1.00001 =", "≈-2147462173.81"},
        AnswerCase{"2147483647.99999 ÷ 0.00001 =", "214748364799999"},
        AnswerCase{"9999999999.99999 ÷ 9999999999.99998 =", "≈1.00"},
        AnswerCase{"2147483647.99999 + 2147483647.99999 =", "4294967295.99998"},
        AnswerCase{"-2147483648 - 2147483647.99999 =", "-4294967295.99999"},
        AnswerCase{"2147483647 ÷ 2 =", "1073741823……1"},
        AnswerCase{"-2147483648 ÷ 2147483647 =", "-1……-1"},
        AnswerCase{"1073741823 / 2147483646 =", "1/2"},
        AnswerCase{"1" + std::string(39, '0') + " + 1 =", "1" + std::string(38, '0') + "1"}));

INSTANTIATE_TEST_SUITE_P(Chains, AnswerTextTest,
                         ::testing::Values(AnswerCase{"12 + 7 + 30 + 5 + 41 =", "95"},
                                           AnswerCase{"52 + 8 - 15 + 23 - 30 =", "38"},
                                           AnswerCase{"0 + 0 - 0 + 0 - 50 =", "-50"},
                                           AnswerCase{"0 + 0 + 0 + 0 =", "0"},
                                           AnswerCase{"1.5 + 2.5 - 4 + 0.25 =", "0.25"}));

INSTANTIATE_TEST_SUITE_P(
    Fractions, AnswerTextTest,
    ::testing::Values(AnswerCase{"10 / 40 =", "1/4"}, AnswerCase{"9 / 45 =", "1/5"},
                      AnswerCase{"3 / 7 =", "3/7"}, AnswerCase{"0 / 12 =", "0"},
                      AnswerCase{"8 / 4 =", "2"}, AnswerCase{"-10 / 40 =", "-1/4"},
                      AnswerCase{"10 / -40 =", "-1/4"}, AnswerCase{"-10 / -40 =", "1/4"},
                      AnswerCase{"0 / -5 =", "0"}, AnswerCase{"-8 / 4 =", "-2"}));

INSTANTIATE_TEST_SUITE_P(ZeroDivisors, AnswerTextTest,
                         ::testing::Values(AnswerCase{"7 ÷ 0 =", "—"}, AnswerCase{"0 ÷ 0 =", "—"},
                                           AnswerCase{"5.5 ÷ 0 =", "—"},
                                           AnswerCase{"5 ÷ 0.00 =", "—"},
                                           AnswerCase{"0 / 0 =", "—"},
                                           AnswerCase{"5 / -0 =", "—"}));

INSTANTIATE_TEST_SUITE_P(
    NotAProblem, AnswerTextTest,
    ::testing::Values(AnswerCase{"5 × 3 × 2 =", "—"}, AnswerCase{"5 + 3 × 2 =", "—"},
                      AnswerCase{"6 ÷ 3 ÷ 2 =", "—"}, AnswerCase{"1 / 2 / 3 =", "—"},
                      AnswerCase{"2.5 / 5 =", "—"}, AnswerCase{"five + 5 =", "—"},
                      AnswerCase{"1.5.2 + 1 =", "—"}, AnswerCase{".5 + 1 =", "—"},
                      AnswerCase{"5. + 1 =", "—"}, AnswerCase{"+5 + 1 =", "—"},
                      AnswerCase{"--5 + 1 =", "—"}, AnswerCase{"1e3 + 1 =", "—"},
                      AnswerCase{"５ + 1 =", "—"}, AnswerCase{"\xC3 + 1 =", "—"},
                      AnswerCase{"1" + std::string(40, '0') + " + 1 =", "—"},
                      AnswerCase{"1." + std::string(40, '0') + " + 1 =", "—"}));

TEST(AnswerText, OperatorsThatDoNotMatchTheOperandsHaveNoAnswer) {
  EXPECT_EQ(AnswerText(Problem{}), "—");
  EXPECT_EQ(AnswerText(Problem{{"5"}, {}}), "—");
  EXPECT_EQ(AnswerText(Problem{{"5"}, {Operator::Plus}}), "—");
  EXPECT_EQ(AnswerText(Problem{{"5", "3"}, {Operator::Plus, Operator::Plus}}), "—");
  EXPECT_EQ(AnswerText(Problem{{std::string("5\0", 2), "1"}, {Operator::Plus}}), "—");
}

TEST(ExactDecimal, DividingByZeroThrowsInsteadOfLooping) {
  const ExactDecimal zero = *ExactDecimal::Parse("0.00");
  EXPECT_THROW(ExactDecimal::Divide(*ExactDecimal::Parse("1"), zero, 2), std::domain_error);
}

TEST(ExactDecimal, RoundedTextPadsAndRoundsHalfAwayFromZero) {
  EXPECT_EQ(ExactDecimal::Parse("1.5")->RoundedText(3), "1.500");
  EXPECT_EQ(ExactDecimal::Parse("-7")->RoundedText(0), "-7");
  EXPECT_EQ(ExactDecimal::Parse("0.125")->RoundedText(2), "0.13");
  EXPECT_EQ(ExactDecimal::Parse("-0.125")->RoundedText(2), "-0.13");
  EXPECT_EQ(ExactDecimal::Parse("-0.124")->RoundedText(2), "-0.12");
  EXPECT_EQ(ExactDecimal::Parse("-0.004")->RoundedText(2), "0.00");
  EXPECT_EQ(ExactDecimal::Parse("99.995")->RoundedText(2), "100.00");
}

}  // namespace
}  // namespace kalkora
