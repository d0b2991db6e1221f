#pragma once

#include <optional>

#include "core/generate/generation_context.hpp"
#include "core/generate/problem.hpp"

namespace kalkora {

// The problem of position p (1 to the settings' size) from the settings' kind; nothing when no
// kind is chosen.
std::optional<Problem> GenerateProblem(GenerationContext& context, int p);

}  // namespace kalkora
