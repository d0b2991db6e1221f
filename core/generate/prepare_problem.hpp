#pragma once

#include <cstdint>
#include <optional>

#include "core/generate/generation_context.hpp"

namespace kalkora {

// Runs before every problem of a sheet: reseeds the generator with the tick count and sets the
// two decimal suffixes. The seed always differs from `previousSeed` (the seed of the sheet's
// previous problem): while the counter still reads that value, it waits and reads again, so
// that neighbouring problems never repeat each other. Returns the seed used.
std::uint32_t PrepareProblem(GenerationContext& context, std::optional<std::uint32_t> previousSeed);

}  // namespace kalkora
