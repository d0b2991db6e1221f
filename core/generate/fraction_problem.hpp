#pragma once

#include "core/generate/generation_context.hpp"
#include "core/generate/problem.hpp"

namespace kalkora {

// "n / d": d is the larger of two draws, n half the other with the remainder dropped.
Problem FractionProblem(GenerationContext& context);

}  // namespace kalkora
