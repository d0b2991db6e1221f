#include "core/generate/pair_problems.hpp"

#include <algorithm>

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"

namespace kalkora {

bool FirstIsLarger(const std::string& operandText1, const std::string& operandText2) {
  return ToNumber(operandText1) - ToNumber(operandText2) > 1e-07;
}

namespace {

std::string Compose(std::string_view left, std::string_view leftSuffix,
                    std::string_view operatorText, std::string_view right,
                    std::string_view rightSuffix) {
  std::string text;
  text.append(left).append(leftSuffix).append(operatorText);
  text.append(right).append(rightSuffix).append(" =");
  return text;
}

std::string Compose(const ProgramState& state, std::string_view left, std::string_view operatorText,
                    std::string_view right) {
  return Compose(left, state.DecimalSuffix1, operatorText, right, state.DecimalSuffix2);
}

// Compares two suffixes ("." and digits) by their value: the shorter is read with trailing
// zeros, so ".5" counts as larger than ".45".
bool SuffixIsSmaller(std::string a, std::string b) {
  const std::size_t length = std::max(a.size(), b.size());
  a.resize(length, '0');
  b.resize(length, '0');
  return a < b;
}

}  // namespace

std::string FreePairProblem(GenerationContext& context, std::string_view operatorText) {
  const std::string a = IntegerText(DrawOperand(context));
  const std::string b = IntegerText(DrawOperand(context));
  return Compose(context.state, a, operatorText, b);
}

std::string LargerFirstPairProblem(GenerationContext& context, std::string_view operatorText) {
  ProgramState& state = context.state;
  state.OperandText1 = IntegerText(DrawOperand(context));
  state.OperandText2 = IntegerText(DrawOperand(context));
  if (FirstIsLarger(state.OperandText1, state.OperandText2)) {
    return Compose(state, state.OperandText1, operatorText, state.OperandText2);
  }
  const bool tie = !FirstIsLarger(state.OperandText2, state.OperandText1);
  const std::string& suffix1 = state.DecimalSuffix1;
  const std::string& suffix2 = state.DecimalSuffix2;
  if (tie && !suffix1.empty() && !suffix2.empty() && SuffixIsSmaller(suffix1, suffix2)) {
    // Equal integer parts: the larger decimal part goes first, so that the difference is
    // never negative and the quotient never below 1.
    return Compose(state.OperandText2, suffix2, operatorText, state.OperandText1, suffix1);
  }
  return Compose(state, state.OperandText2, operatorText, state.OperandText1);
}

std::string Addition(GenerationContext& context) { return FreePairProblem(context, kPlus); }

std::string Subtraction(GenerationContext& context) {
  return LargerFirstPairProblem(context, kMinus);
}

std::string Multiplication(GenerationContext& context) { return FreePairProblem(context, kTimes); }

std::string Division(GenerationContext& context) {
  return LargerFirstPairProblem(context, kDivide);
}

std::string AddSubMixed(GenerationContext& context, int p) {
  return p <= 9 ? Addition(context) : Subtraction(context);
}

std::string MulDivMixed(GenerationContext& context, int p) {
  return p <= 9 ? Multiplication(context) : Division(context);
}

std::string FourOpMixed(GenerationContext& context, int p) {
  if (p <= 5) return Addition(context);
  if (p <= 10) return Subtraction(context);
  if (p <= 15) return Multiplication(context);
  return Division(context);
}

}  // namespace kalkora
