#include "core/generate/chain_problems.hpp"

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"
#include "core/generate/pair_problems.hpp"

namespace kalkora {
namespace {

int OperandCount(int sheetSize) { return sheetSize == 30 ? 4 : 5; }

void Append(Problem& problem, Operator op, std::int32_t operand) {
  problem.operators.push_back(op);
  problem.operands.push_back(IntegerText(operand));
}

// Chains are whole numbers: no suffix is drawn for them, and none is left for what follows.
void ClearSuffixes(ProgramState& state) {
  state.DecimalSuffix1.clear();
  state.DecimalSuffix2.clear();
}

}  // namespace

Problem ChainAdditionProblem(GenerationContext& context, int sheetSize) {
  ClearSuffixes(context.state);
  Problem problem{{IntegerText(DrawOperand(context))}, {}};
  for (int i = 1; i < OperandCount(sheetSize); ++i) {
    Append(problem, Operator::Plus, DrawOperand(context));
  }
  return problem;
}

Problem ChainAddSubProblem(GenerationContext& context, int p, int sheetSize) {
  ProgramState& state = context.state;
  ClearSuffixes(state);
  const std::int32_t a = DrawOperand(context);
  state.OperandText1 = IntegerText(a);
  const std::int32_t b = DrawOperand(context);
  state.OperandText2 = IntegerText(b);
  const bool aLeads = FirstIsLarger(state.OperandText1, state.OperandText2);
  const std::int32_t lead = aLeads ? a : b;
  const std::int32_t half = HalfDown(aLeads ? b : a);

  // Draws come in the order c, e, r whatever the pattern.
  const std::int32_t c = DrawOperand(context);
  const std::int32_t e = DrawOperand(context);
  Problem problem{{IntegerText(lead)}, {}};
  Append(problem, Operator::Plus, c);
  if (p >= 8 && p <= 14) {
    Append(problem, Operator::Plus, e);
    Append(problem, Operator::Minus, half);
  } else {
    Append(problem, Operator::Minus, half);
    Append(problem, Operator::Plus, e);
  }
  if (OperandCount(sheetSize) == 5) {
    const std::int32_t r = DrawOperand(context);
    Append(problem, p >= 15 ? Operator::Plus : Operator::Minus, HalfDown(r));
  }
  return problem;
}

}  // namespace kalkora
