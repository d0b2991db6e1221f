#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/base/exercise_kind.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

// A common drill: the kind, both ranges, the result range and the rules it sets. Decimals are
// always off.
struct RulePreset {
  std::string_view name;
  ExerciseKind kind;
  std::string_view from, to;
  std::string_view secondFrom, secondTo;
  std::string_view resultFrom, resultTo;  // both empty: no result range
  std::optional<int> carry, borrow, remainder;
  BlankPlace blank = BlankPlace::Result;
  bool distinct = false;
};

std::span<const RulePreset> RulePresets();
const RulePreset* FindRulePreset(std::string_view name);

// The rules a preset sets, its name among them.
SheetRules PresetRules(const RulePreset& preset);

// The table of the presets as --list-presets prints it, a line each.
std::string RulePresetTable();

}  // namespace kalkora
