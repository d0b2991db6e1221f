#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "core/generate/number_text.hpp"
#include "core/generate/random_generator.hpp"
#include "fakes/gbk.hpp"

namespace kalkora {
namespace {

TEST(RandomGenerator, SeededWithOneYieldsTheKnownSequence) {
  RandomGenerator random;
  random.Seed(1);
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}) {
    EXPECT_EQ(random.Next(), expected);
  }
}

struct NumberCase {
  const char* text;
  double value;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ToNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ToNumberTest, ReadsOnlyTheLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(ToNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToNumberTest,
    ::testing::Values(NumberCase{"", 0}, NumberCase{"abc", 0}, NumberCase{"12abc", 12},
                      NumberCase{"１２", 12}, NumberCase{"  7", 7}, NumberCase{"\t\n-3", -3},
                      NumberCase{"+4", 4}, NumberCase{"2.5", 2.5}, NumberCase{".5", 0.5},
                      NumberCase{"5.", 5}, NumberCase{".", 0}, NumberCase{"-", 0},
                      NumberCase{"- 3", 0}, NumberCase{"1e3", 1000}, NumberCase{"1E+2x", 100},
                      NumberCase{"1e", 1}, NumberCase{"1e+", 1}, NumberCase{"-.5e1", -5},
                      NumberCase{"1.e2", 100}, NumberCase{"2.0", 2}, NumberCase{"02", 2},
                      NumberCase{"inf", 0}, NumberCase{"-inf", 0}, NumberCase{"nan", 0},
                      NumberCase{"infinity", 0}, NumberCase{"0x1A", 0}, NumberCase{"1e-999", 0},
                      NumberCase{"0e99999", 0}, NumberCase{"　3", 3}, NumberCase{"５．５", 5.5},
                      NumberCase{"－２", -2}, NumberCase{"1,5", 1}, NumberCase{"２　", 2}));

TEST(ToNumber, OverflowGivesInfinityWithItsSign) {
  EXPECT_EQ(ToNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("-0.5e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("0.0001e-400"), 0.0);
  EXPECT_EQ(ToNumber("666652e9223372036854775807"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("0.00001e-9223372036854775808"), 0.0);
}

// Every code of the GBK full-width block A3A1-A3FE reads as its ASCII counterpart 21-7E, and
// the ideographic space A1A1 as a space. The characters come from a real GBK conversion.
TEST(ToNumber, FullWidthBlockOfGbkBecomesAscii) {
  for (int code = 0xA1; code <= 0xFE; ++code) {
    const std::string gbk = {static_cast<char>(0xA3), static_cast<char>(code)};
    const char ascii = static_cast<char>(code - 0xA1 + 0x21);
    EXPECT_EQ(HalfWidth(testing::GbkToUtf8(gbk)), std::string(1, ascii)) << std::hex << code;
  }
  EXPECT_EQ(HalfWidth(testing::GbkToUtf8("\xA1\xA1")), " ");
  EXPECT_EQ(HalfWidth("加法"), "加法");
}

struct BoundCase {
  double value;
  std::int32_t bound;
};

void PrintTo(const BoundCase& c, std::ostream* os) { *os << c.value << " -> " << c.bound; }

class TruncateBoundTest : public ::testing::TestWithParam<BoundCase> {};

TEST_P(TruncateBoundTest, KeepsTheLow32BitsOfTheTruncatedValue) {
  EXPECT_EQ(TruncateBound(GetParam().value), GetParam().bound) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, TruncateBoundTest,
    ::testing::Values(BoundCase{2.9, 2}, BoundCase{-2.9, -2}, BoundCase{10.7, 10},
                      BoundCase{4294967297.0, 1}, BoundCase{2147483648.0, -2147483647 - 1},
                      BoundCase{4294967296.0 * 3 + 5, 5}, BoundCase{-4294967295.0, 1},
                      BoundCase{9.2e18, static_cast<std::int32_t>(0x9D980000u)},
                      BoundCase{9.3e18, 0}, BoundCase{1e19, 0}, BoundCase{-1e19, 0},
                      BoundCase{std::numeric_limits<double>::infinity(), 0},
                      BoundCase{-std::numeric_limits<double>::infinity(), 0},
                      BoundCase{std::numeric_limits<double>::quiet_NaN(), 0}));

TEST(HalfDown, DropsTheRemainder) {
  EXPECT_EQ(HalfDown(0), 0);
  EXPECT_EQ(HalfDown(1), 0);
  EXPECT_EQ(HalfDown(7), 3);
  EXPECT_EQ(HalfDown(2147483647), 1073741823);
}

}  // namespace
}  // namespace kalkora
