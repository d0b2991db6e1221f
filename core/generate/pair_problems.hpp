#pragma once

#include <string>

#include "core/generate/generation_context.hpp"
#include "core/generate/problem.hpp"

namespace kalkora {

// Two operands in the order drawn, each followed by its decimal suffix.
Problem FreePairProblem(GenerationContext& context, Operator op);

// The larger of the two drawn integers first (the second on a tie); the suffixes keep their
// places, DecimalSuffix1 after the left operand, except on a tie with both suffixes set: then
// the larger suffix goes with the left operand.
Problem LargerFirstPairProblem(GenerationContext& context, Operator op);

Problem Addition(GenerationContext& context);
Problem Subtraction(GenerationContext& context);
Problem Multiplication(GenerationContext& context);
Problem Division(GenerationContext& context);

// The mixed kinds choose their operation by the problem position p (1 for the first problem).
Problem AddSubMixed(GenerationContext& context, int p);
Problem MulDivMixed(GenerationContext& context, int p);
Problem FourOpMixed(GenerationContext& context, int p);

// The larger-first rule shared by every kind that orders two draws: the first counts as the
// larger only when it exceeds the second by more than 1e-07.
bool FirstIsLarger(const std::string& operandText1, const std::string& operandText2);

}  // namespace kalkora
