#pragma once

#include <string>
#include <string_view>

#include "core/generate/generation_context.hpp"

namespace kalkora {

inline constexpr std::string_view kPlus = " + ";
inline constexpr std::string_view kMinus = " - ";
inline constexpr std::string_view kTimes = " × ";
inline constexpr std::string_view kDivide = " ÷ ";

// Two operands in the order drawn, each followed by its decimal suffix, then " =".
std::string FreePairProblem(GenerationContext& context, std::string_view operatorText);

// The larger of the two drawn integers first (the second on a tie); the suffixes keep their
// places, DecimalSuffix1 after the left operand, except on a tie with both suffixes set: then
// the larger suffix goes with the left operand.
std::string LargerFirstPairProblem(GenerationContext& context, std::string_view operatorText);

std::string Addition(GenerationContext& context);
std::string Subtraction(GenerationContext& context);
std::string Multiplication(GenerationContext& context);
std::string Division(GenerationContext& context);

// The mixed kinds choose their operation by the problem position p (1 for the first problem).
std::string AddSubMixed(GenerationContext& context, int p);
std::string MulDivMixed(GenerationContext& context, int p);
std::string FourOpMixed(GenerationContext& context, int p);

// The larger-first rule shared by every kind that orders two draws: the first counts as the
// larger only when it exceeds the second by more than 1e-07.
bool FirstIsLarger(const std::string& operandText1, const std::string& operandText2);

}  // namespace kalkora
