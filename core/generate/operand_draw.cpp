#include "core/generate/operand_draw.hpp"

#include <algorithm>

#include "core/generate/number_text.hpp"

namespace kalkora {

std::int32_t RandomInt(RandomGenerator& random, std::int32_t min, std::int32_t max) {
  const std::int64_t a = std::max(min, 0);
  const std::int64_t b = std::max(max, 0);
  const std::int64_t lo = std::min(a, b);
  const std::int64_t hi = std::max(a, b);
  if (lo == hi) return static_cast<std::int32_t>(lo);
  const std::int64_t span = std::min<std::int64_t>(hi - lo, 2147483646) + 1;
  return static_cast<std::int32_t>(lo + random.Next() % span);
}

std::int32_t DrawOperand(GenerationContext& context) {
  const std::int32_t from = TruncateBound(ToNumber(context.settings.from));
  const std::int32_t to = TruncateBound(ToNumber(context.settings.to));
  return RandomInt(context.state.random, from, to);
}

}  // namespace kalkora
