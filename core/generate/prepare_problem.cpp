#include "core/generate/prepare_problem.hpp"

#include <array>
#include <chrono>
#include <string_view>

#include "core/generate/number_text.hpp"
#include "core/generate/operand_draw.hpp"

namespace kalkora {
namespace {

struct Places {
  std::string_view text;
  std::int32_t lowest;
  std::int32_t highest;
};

constexpr std::array<Places, 5> kPlaces = {{
    {"1", 1, 9},
    {"2", 10, 99},
    {"3", 100, 999},
    {"4", 1000, 9999},
    {"5", 10000, 99999},
}};

// "." and k random digits for the places text; an unrecognised text leaves the suffix as it
// was.
void DrawSuffix(GenerationContext& context, std::string& suffix) {
  for (const Places& places : kPlaces) {
    if (context.settings.places == places.text) {
      suffix = "." + IntegerText(RandomInt(context.state.random, places.lowest, places.highest));
      return;
    }
  }
}

std::uint32_t FreshTick(Clock& clock, std::optional<std::uint32_t> previousTick) {
  std::uint32_t tick = clock.TickCount();
  while (previousTick && tick == *previousTick) {
    clock.Pause(std::chrono::milliseconds(1));
    tick = clock.TickCount();
  }
  return tick;
}

}  // namespace

std::uint32_t PrepareProblem(GenerationContext& context, Clock& clock,
                             std::optional<std::uint32_t> previousTick) {
  const std::uint32_t tick = FreshTick(clock, previousTick);
  PrepareSeededProblem(context, Fmix32(tick));
  return tick;
}

void PrepareSeededProblem(GenerationContext& context, std::uint32_t seed) {
  ProgramState& state = context.state;
  state.random.Seed(seed);
  if (!context.settings.decimals) {
    state.DecimalSuffix1.clear();
    state.DecimalSuffix2.clear();
    return;
  }
  DrawSuffix(context, state.DecimalSuffix1);
  DrawSuffix(context, state.DecimalSuffix2);
}

}  // namespace kalkora
