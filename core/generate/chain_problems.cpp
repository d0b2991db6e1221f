#include "core/generate/chain_problems.hpp"

#include <string_view>

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"
#include "core/generate/pair_problems.hpp"

namespace kalkora {
namespace {

int OperandCount(int sheetSize) { return sheetSize == 30 ? 4 : 5; }

// Appends one further operand: the first suffix, the operator, the operand.
void AppendOperand(std::string& text, const ProgramState& state, std::string_view operatorText,
                   std::int32_t operand) {
  text.append(state.DecimalSuffix1).append(operatorText).append(IntegerText(operand));
}

void Finish(std::string& text, const ProgramState& state) {
  text.append(state.DecimalSuffix2).append(" =");
}

void ClearSuffixes(ProgramState& state) {
  state.DecimalSuffix1.clear();
  state.DecimalSuffix2.clear();
}

}  // namespace

std::string ChainAdditionProblem(GenerationContext& context, int sheetSize) {
  ProgramState& state = context.state;
  ClearSuffixes(state);
  std::string text = IntegerText(DrawOperand(context));
  for (int i = 1; i < OperandCount(sheetSize); ++i) {
    AppendOperand(text, state, kPlus, DrawOperand(context));
  }
  Finish(text, state);
  return text;
}

std::string ChainAddSubProblem(GenerationContext& context, int p, int sheetSize) {
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
  std::string text = IntegerText(lead);
  AppendOperand(text, state, kPlus, c);
  if (p >= 8 && p <= 14) {
    AppendOperand(text, state, kPlus, e);
    AppendOperand(text, state, kMinus, half);
  } else {
    AppendOperand(text, state, kMinus, half);
    AppendOperand(text, state, kPlus, e);
  }
  if (OperandCount(sheetSize) == 5) {
    const std::int32_t r = DrawOperand(context);
    AppendOperand(text, state, p >= 15 ? kPlus : kMinus, HalfDown(r));
  }
  Finish(text, state);
  return text;
}

}  // namespace kalkora
