#pragma once

#include <optional>
#include <string>

#include "core/generate/generation_context.hpp"

namespace kalkora {

// The problem text of position p (1 to sheetSize) from the first ticked kind; nothing when no
// kind box is ticked. The kind boxes are read afresh on every call.
std::optional<std::string> GenerateProblem(GenerationContext& context, int p, int sheetSize);

}  // namespace kalkora
