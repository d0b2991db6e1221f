#pragma once

#include "core/generate/generation_context.hpp"
#include "core/generate/problem.hpp"

namespace kalkora {

// Whole-number sums of five operands on 18- and 24-problem sheets, four on 30-problem sheets.
// Both clear the decimal suffixes first.
Problem ChainAdditionProblem(GenerationContext& context, int sheetSize);

// Additions and subtractions in the pattern of position p: the larger of the first two draws
// leads and half of the other is subtracted.
Problem ChainAddSubProblem(GenerationContext& context, int p, int sheetSize);

}  // namespace kalkora
