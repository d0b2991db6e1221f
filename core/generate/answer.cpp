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
// A decimal quotient is written exactly up to this many places, else approximated to
// kApproximatePlaces.
constexpr std::size_t kExactQuotientPlaces = 4;
constexpr std::size_t kApproximatePlaces = 2;

// Every operand read exactly; nothing when one is not a number.
std::optional<std::vector<ExactDecimal>> Operands(const Problem& problem) {
  std::vector<ExactDecimal> operands;
  for (const std::string& text : problem.operands) {
    const std::optional<ExactDecimal> operand = ExactDecimal::Parse(text);
    if (!operand) return std::nullopt;
    operands.push_back(*operand);
  }
  return operands;
}

bool HasDecimalPart(std::string_view operandText) {
  return operandText.find('.') != std::string_view::npos;
}

ExactDecimal Magnitude(const ExactDecimal& value) { return value.IsNegative() ? -value : value; }

std::string SumText(const Problem& problem, const std::vector<ExactDecimal>& operands) {
  ExactDecimal total = operands.front();
  for (std::size_t i = 0; i < problem.operators.size(); ++i) {
    const ExactDecimal& operand = operands[i + 1];
    total = problem.operators[i] == Operator::Plus ? total + operand : total - operand;
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

std::string ResultText(const Problem& problem) {
  if (problem.operands.size() != problem.operators.size() + 1 || problem.operators.empty()) {
    return std::string(kNoAnswer);
  }
  const std::optional<std::vector<ExactDecimal>> operands = Operands(problem);
  if (!operands) return std::string(kNoAnswer);
  const std::vector<Operator>& operators = problem.operators;
  if (std::all_of(operators.begin(), operators.end(),
                  [](Operator op) { return op == Operator::Plus || op == Operator::Minus; })) {
    return SumText(problem, *operands);
  }
  if (operators.size() != 1) return std::string(kNoAnswer);

  const ExactDecimal& left = (*operands)[0];
  const ExactDecimal& right = (*operands)[1];
  const bool decimal = HasDecimalPart(problem.operands[0]) || HasDecimalPart(problem.operands[1]);
  switch (operators.front()) {
    case Operator::Times:
      return (left * right).Text();
    case Operator::Divide:
      if (right.IsZero()) break;
      return decimal ? DecimalQuotientText(left, right) : IntegerQuotientText(left, right);
    case Operator::FractionBar:
      if (decimal || right.IsZero()) break;
      return FractionText(left, right);
    default:
      break;
  }
  return std::string(kNoAnswer);
}

std::string AnswerText(const Problem& problem) {
  if (problem.blank < 1 || static_cast<std::size_t>(problem.blank) > problem.operands.size()) {
    return ResultText(problem);
  }
  return problem.operands[static_cast<std::size_t>(problem.blank - 1)];
}

}  // namespace kalkora
