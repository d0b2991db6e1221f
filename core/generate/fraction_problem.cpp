#include "core/generate/fraction_problem.hpp"

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"
#include "core/generate/pair_problems.hpp"

namespace kalkora {

Problem FractionProblem(GenerationContext& context) {
  ProgramState& state = context.state;
  const std::int32_t a = DrawOperand(context);
  state.OperandText1 = IntegerText(a);
  const std::int32_t b = DrawOperand(context);
  state.OperandText2 = IntegerText(b);
  const bool aIsLarger = FirstIsLarger(state.OperandText1, state.OperandText2);
  const std::int32_t numerator = HalfDown(aIsLarger ? b : a);
  const std::string& denominator = aIsLarger ? state.OperandText1 : state.OperandText2;
  return {{IntegerText(numerator), denominator}, {Operator::FractionBar}};
}

}  // namespace kalkora
