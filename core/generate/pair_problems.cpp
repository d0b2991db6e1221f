#include "core/generate/pair_problems.hpp"

#include <algorithm>

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"

namespace kalkora {

bool FirstIsLarger(const std::string& operandText1, const std::string& operandText2) {
  return ToNumber(operandText1) - ToNumber(operandText2) > 1e-07;
}

namespace {

Problem Pair(const std::string& left, const std::string& leftSuffix, Operator op,
             const std::string& right, const std::string& rightSuffix) {
  return {{left + leftSuffix, right + rightSuffix}, {op}};
}

// The operands with the suffixes in their places: DecimalSuffix1 after the left one.
Problem Pair(const ProgramState& state, const std::string& left, Operator op,
             const std::string& right) {
  return Pair(left, state.DecimalSuffix1, op, right, state.DecimalSuffix2);
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

Problem FreePairProblem(GenerationContext& context, Operator op) {
  const std::string a = IntegerText(DrawOperand(context));
  const std::string b = IntegerText(DrawOperand(context));
  return Pair(context.state, a, op, b);
}

Problem LargerFirstPairProblem(GenerationContext& context, Operator op) {
  ProgramState& state = context.state;
  state.OperandText1 = IntegerText(DrawOperand(context));
  state.OperandText2 = IntegerText(DrawOperand(context));
  if (FirstIsLarger(state.OperandText1, state.OperandText2)) {
    return Pair(state, state.OperandText1, op, state.OperandText2);
  }
  const bool tie = !FirstIsLarger(state.OperandText2, state.OperandText1);
  const std::string& suffix1 = state.DecimalSuffix1;
  const std::string& suffix2 = state.DecimalSuffix2;
  if (tie && !suffix1.empty() && !suffix2.empty() && SuffixIsSmaller(suffix1, suffix2)) {
    // Equal integer parts: the larger decimal part goes first, so that the difference is
    // never negative and the quotient never below 1.
    return Pair(state.OperandText2, suffix2, op, state.OperandText1, suffix1);
  }
  return Pair(state, state.OperandText2, op, state.OperandText1);
}

Problem Addition(GenerationContext& context) { return FreePairProblem(context, Operator::Plus); }

Problem Subtraction(GenerationContext& context) {
  return LargerFirstPairProblem(context, Operator::Minus);
}

Problem Multiplication(GenerationContext& context) {
  return FreePairProblem(context, Operator::Times);
}

Problem Division(GenerationContext& context) {
  return LargerFirstPairProblem(context, Operator::Divide);
}

Problem AddSubMixed(GenerationContext& context, int p) {
  return p <= 9 ? Addition(context) : Subtraction(context);
}

Problem MulDivMixed(GenerationContext& context, int p) {
  return p <= 9 ? Multiplication(context) : Division(context);
}

Problem FourOpMixed(GenerationContext& context, int p) {
  if (p <= 5) return Addition(context);
  if (p <= 10) return Subtraction(context);
  if (p <= 15) return Multiplication(context);
  return Division(context);
}

}  // namespace kalkora
