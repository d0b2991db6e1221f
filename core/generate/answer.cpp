#include "core/generate/answer.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/generate/exact_decimal.hpp"

namespace kalkora {
namespace {

constexpr std::string_view kNoAnswer = "—";
constexpr std::string_view kRemainderMark = "……";
constexpr std::string_view kApproximately = "≈";
constexpr std::string_view kEnd = " =";

constexpr std::string_view kPlusToken = "+";
constexpr std::string_view kMinusToken = "-";
constexpr std::string_view kTimesToken = "×";
constexpr std::string_view kDivideToken = "÷";
constexpr std::string_view kFractionBarToken = "/";

// A decimal quotient is written exactly up to this many places, else approximated to
// kApproximatePlaces.
constexpr std::size_t kExactQuotientPlaces = 4;
constexpr std::size_t kApproximatePlaces = 2;

struct Problem {
  std::vector<std::string_view> operandTexts;
  std::vector<std::string_view> operators;
  std::vector<ExactDecimal> operands;
};

// Splits "a op b [op c ...] =" at its single blanks into operands and the operators between
// them; nothing unless the text has that shape and every operand reads as a number.
std::optional<Problem> Parse(std::string_view text) {
  if (!text.ends_with(kEnd)) return std::nullopt;
  text.remove_suffix(kEnd.size());
  Problem problem;
  bool operandNext = true;
  for (bool more = true; more;) {
    const std::size_t blank = text.find(' ');
    const std::string_view token = text.substr(0, blank);
    (operandNext ? problem.operandTexts : problem.operators).push_back(token);
    operandNext = !operandNext;
    more = blank != std::string_view::npos;
    if (more) text.remove_prefix(blank + 1);
  }
  if (operandNext || problem.operators.empty()) return std::nullopt;
  for (const std::string_view operandText : problem.operandTexts) {
    const std::optional<ExactDecimal> operand = ExactDecimal::Parse(operandText);
    if (!operand) return std::nullopt;
    problem.operands.push_back(*operand);
  }
  return problem;
}

bool HasDecimalPart(std::string_view operandText) {
  return operandText.find('.') != std::string_view::npos;
}

ExactDecimal Magnitude(const ExactDecimal& value) { return value.IsNegative() ? -value : value; }

std::string SumText(const Problem& problem) {
  ExactDecimal total = problem.operands.front();
  for (std::size_t i = 0; i < problem.operators.size(); ++i) {
    const ExactDecimal& operand = problem.operands[i + 1];
    total = problem.operators[i] == kPlusToken ? total + operand : total - operand;
  }
  return total.Text();
}

std::string IntegerQuotientText(const ExactDecimal& dividend, const ExactDecimal& divisor) {
  const ExactDecimal::Quotient quotient = ExactDecimal::Divide(dividend, divisor, 0);
  if (quotient.exact) return quotient.value.Text();
  const ExactDecimal remainder = dividend - quotient.value * divisor;
  return quotient.value.Text() + std::string(kRemainderMark) + remainder.Text();
}

std::string DecimalQuotientText(const ExactDecimal& dividend, const ExactDecimal& divisor) {
  const ExactDecimal::Quotient exact =
      ExactDecimal::Divide(dividend, divisor, kExactQuotientPlaces);
  if (exact.exact) return exact.value.Text();
  // Cut one place beyond those kept: the digits dropped add less than one unit of that place,
  // so they cannot carry the value across a rounding midpoint, which lies on that place.
  const ExactDecimal::Quotient cut =
      ExactDecimal::Divide(dividend, divisor, kApproximatePlaces + 1);
  return std::string(kApproximately) + cut.value.RoundedText(kApproximatePlaces);
}

ExactDecimal GreatestCommonDivisor(ExactDecimal a, ExactDecimal b) {
  while (!b.IsZero()) {
    ExactDecimal remainder = a - ExactDecimal::Divide(a, b, 0).value * b;
    a = b;
    b = remainder;
  }
  return Magnitude(a);
}

std::string FractionText(const ExactDecimal& numerator, const ExactDecimal& denominator) {
  const ExactDecimal common = GreatestCommonDivisor(numerator, denominator);
  const ExactDecimal top = ExactDecimal::Divide(Magnitude(numerator), common, 0).value;
  const std::string bottom = ExactDecimal::Divide(Magnitude(denominator), common, 0).value.Text();
  const bool negative = numerator.IsNegative() != denominator.IsNegative();
  const std::string topText = (negative ? -top : top).Text();
  return bottom == "1" ? topText : topText + "/" + bottom;
}

}  // namespace

std::string AnswerText(std::string_view problemText) {
  const std::optional<Problem> problem = Parse(problemText);
  if (!problem) return std::string(kNoAnswer);
  const std::vector<std::string_view>& operators = problem->operators;
  if (std::all_of(operators.begin(), operators.end(),
                  [](std::string_view op) { return op == kPlusToken || op == kMinusToken; })) {
    return SumText(*problem);
  }
  if (operators.size() != 1) return std::string(kNoAnswer);

  const ExactDecimal& left = problem->operands[0];
  const ExactDecimal& right = problem->operands[1];
  const bool decimal =
      HasDecimalPart(problem->operandTexts[0]) || HasDecimalPart(problem->operandTexts[1]);
  const std::string_view op = operators.front();
  if (op == kTimesToken) return (left * right).Text();
  if (op == kDivideToken && !right.IsZero()) {
    return decimal ? DecimalQuotientText(left, right) : IntegerQuotientText(left, right);
  }
  if (op == kFractionBarToken && !decimal && !right.IsZero()) return FractionText(left, right);
  return std::string(kNoAnswer);
}

}  // namespace kalkora
