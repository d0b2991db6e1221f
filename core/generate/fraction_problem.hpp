#pragma once

#include <string>

#include "core/generate/generation_context.hpp"

namespace kalkora {

// "n / d =": d is the larger of two draws, n half the other with the remainder dropped.
std::string FractionProblem(GenerationContext& context);

}  // namespace kalkora
