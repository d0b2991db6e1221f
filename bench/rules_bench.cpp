// Prints how long the rule draw takes: preparing it and drawing 40 sheets of 30 problems under
// each preset with no repeats, and refusing impossible settings over the largest ranges.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_timing.hpp"
#include "core/generate/rule_draw.hpp"
#include "core/generate/rule_presets.hpp"

int main() {
  using namespace kalkora;
  constexpr int kSheets = 40;
  for (const RulePreset& preset : RulePresets()) {
    SheetSettings settings;
    settings.kind = preset.kind;
    settings.size = 30;
    settings.from = std::string(preset.from);
    settings.to = std::string(preset.to);
    settings.rules = PresetRules(preset);
    settings.rules.distinct = true;
    std::string refusal;
    std::size_t problems = 0;
    const bench::Figures figures = bench::Time(15, [&] {
      const auto draw = RuledDraw::Prepare(settings, refusal);
      problems = 0;
      for (int i = 0; draw && i < kSheets; ++i) problems += draw->Draw(100000 + i).size();
    });
    std::printf("%-24s prepare + %d sheets: median %.2f ms (%.2f-%.2f), %zu problems%s\n",
                std::string(preset.name).c_str(), kSheets, figures.median, figures.fastest,
                figures.slowest, problems, refusal.empty() ? "" : " (refused)");
  }

  struct Impossible {
    const char* what;
    ExerciseKind kind;
    SheetRules rules;
  };
  const std::string kLargest = "2147483647";
  SheetRules byOne;
  byOne.secondFrom = "1";
  byOne.secondTo = "1";
  byOne.remainder = 100;
  SheetRules negative;
  negative.resultTo = "-1";
  SheetRules carryFromZero;
  carryFromZero.secondFrom = "0";
  carryFromZero.secondTo = "0";
  carryFromZero.carry = 100;
  SheetRules fewDistinct;
  fewDistinct.secondFrom = "0";
  fewDistinct.secondTo = "0";
  fewDistinct.resultTo = "5";
  fewDistinct.distinct = true;
  SheetRules chainCarry;
  chainCarry.secondFrom = "0";
  chainCarry.secondTo = "0";
  chainCarry.resultTo = "9";
  chainCarry.carry = 100;
  const Impossible cases[] = {
      {"remainder 100 dividing by 1", ExerciseKind::Division, byOne},
      {"results below 0", ExerciseKind::Addition, negative},
      {"carry 100 adding 0", ExerciseKind::Addition, carryFromZero},
      {"6 distinct sums up to 5", ExerciseKind::AddSubMixed, fewDistinct},
      {"chains carrying within 9", ExerciseKind::ChainAddition, chainCarry},
  };
  for (const Impossible& c : cases) {
    SheetSettings settings;
    settings.kind = c.kind;
    settings.size = 30;
    settings.from = "0";
    settings.to = kLargest;
    settings.rules = c.rules;
    std::string refusal;
    const bench::Figures figures =
        bench::Time(15, [&] { refusal.clear(), (void)RuledDraw::Prepare(settings, refusal); });
    std::printf("refusing %-28s over 0-%s: median %.2f ms (%.2f-%.2f): %s\n", c.what,
                kLargest.c_str(), figures.median, figures.fastest, figures.slowest,
                refusal.c_str());
  }
  return 0;
}
