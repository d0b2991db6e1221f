#include "core/generate/pair_problems.hpp"

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"

namespace kalkora {

bool FirstIsLarger(const std::string& operandText1, const std::string& operandText2) {
  return ToNumber(operandText1) - ToNumber(operandText2) > 1e-07;
}

namespace {

std::string Compose(const ProgramState& state, std::string_view left, std::string_view operatorText,
                    std::string_view right) {
  std::string text;
  text.append(left).append(state.DecimalSuffix1).append(operatorText);
  text.append(right).append(state.DecimalSuffix2).append(" =");
  return text;
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
