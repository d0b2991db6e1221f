#pragma once

#include <cstdint>

#include "core/generate/generation_context.hpp"
#include "core/generate/random_generator.hpp"

namespace kalkora {

// A draw between two bounds given in either order; negative bounds count as 0. Equal bounds
// give that bound without advancing the generator; otherwise one draw, never above the lower
// bound + 32767.
std::int32_t RandomInt(RandomGenerator& random, std::int32_t min, std::int32_t max);

// One operand from the settings' range, its "from" and "to" texts read as the range boxes are.
std::int32_t DrawOperand(GenerationContext& context);

}  // namespace kalkora
