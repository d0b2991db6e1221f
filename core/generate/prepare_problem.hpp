#pragma once

#include <cstdint>
#include <optional>

#include "core/base/clock.hpp"
#include "core/generate/generation_context.hpp"

namespace kalkora {

// Runs before every problem of a sheet typed into the office: reads the tick count, waiting
// while it still reads `previousTick` (the tick of the sheet's previous problem) so that
// neighbouring problems never share a seed, seeds the generator with Fmix32 of it and sets
// the two decimal suffixes. Returns the tick read.
std::uint32_t PrepareProblem(GenerationContext& context, Clock& clock,
                             std::optional<std::uint32_t> previousTick);

// The same preparation with a given seed: seeds the generator with it unchanged, then sets the
// two decimal suffixes.
void PrepareSeededProblem(GenerationContext& context, std::uint32_t seed);

}  // namespace kalkora
