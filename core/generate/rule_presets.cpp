#include "core/generate/rule_presets.hpp"

#include <algorithm>
#include <array>

namespace kalkora {
namespace {

using K = ExerciseKind;
constexpr std::optional<int> kAny = std::nullopt;

constexpr std::array<RulePreset, 10> kPresets = {{
    {"10以内加法", K::Addition, "0", "10", "0", "10", "0", "10", kAny, kAny, kAny},
    {"10以内减法", K::Subtraction, "0", "10", "0", "10", "", "", kAny, kAny, kAny},
    {"20以内进位加法", K::Addition, "2", "9", "2", "9", "", "", 100, kAny, kAny},
    {"20以内退位减法", K::Subtraction, "11", "18", "2", "9", "", "", kAny, 100, kAny},
    {"100以内不进位加法", K::Addition, "10", "99", "1", "99", "0", "99", 0, kAny, kAny},
    {"100以内退位减法", K::Subtraction, "20", "99", "1", "99", "", "", kAny, 100, kAny},
    {"表内乘法", K::Multiplication, "1", "9", "1", "9", "", "", kAny, kAny, kAny},
    {"表内除法", K::Division, "1", "81", "1", "9", "1", "9", kAny, kAny, 0},
    {"有余数的除法", K::Division, "10", "89", "2", "9", "1", "9", kAny, kAny, 100},
    {"20以内填空", K::AddSubMixed, "0", "20", "0", "20", "0", "20", kAny, kAny, kAny,
     BlankPlace::Any, true},
}};

std::string Range(std::string_view from, std::string_view to) {
  if (from.empty()) return "-";
  return std::string(from) + "-" + std::string(to);
}

// The kind's name: its heading word without "运算题".
std::string KindName(ExerciseKind kind) {
  std::string_view word = KindInfo(kind).headingWord;
  constexpr std::string_view kSuffix = "运算题";
  if (word.ends_with(kSuffix)) word.remove_suffix(kSuffix.size());
  return std::string(word);
}

std::string Share(std::string_view word, std::optional<int> percent) {
  return percent ? std::string(word) + " " + std::to_string(*percent) : "";
}

}  // namespace

std::span<const RulePreset> RulePresets() { return kPresets; }

const RulePreset* FindRulePreset(std::string_view name) {
  const auto* found = std::find_if(kPresets.begin(), kPresets.end(),
                                   [name](const RulePreset& p) { return p.name == name; });
  return found == kPresets.end() ? nullptr : found;
}

SheetRules PresetRules(const RulePreset& preset) {
  SheetRules rules;
  rules.secondFrom = std::string(preset.secondFrom);
  rules.secondTo = std::string(preset.secondTo);
  if (!preset.resultFrom.empty()) rules.resultFrom = std::string(preset.resultFrom);
  if (!preset.resultTo.empty()) rules.resultTo = std::string(preset.resultTo);
  rules.carry = preset.carry;
  rules.borrow = preset.borrow;
  rules.remainder = preset.remainder;
  rules.blank = preset.blank;
  rules.distinct = preset.distinct;
  rules.presetName = std::string(preset.name);
  return rules;
}

std::string RulePresetTable() {
  std::string table = "名称\t题型\t第一个数\t第二个数\t结果\t要求\n";
  for (const RulePreset& preset : kPresets) {
    std::string rules;
    for (const std::string& rule : {Share("carry", preset.carry), Share("borrow", preset.borrow),
                                    Share("remainder", preset.remainder),
                                    std::string(preset.blank == BlankPlace::Any ? "blank any" : ""),
                                    std::string(preset.distinct ? "distinct" : "")}) {
      if (!rule.empty()) rules += (rules.empty() ? "" : ", ") + rule;
    }
    table += std::string(preset.name) + "\t" + KindName(preset.kind) + "\t" +
             Range(preset.from, preset.to) + "\t" + Range(preset.secondFrom, preset.secondTo) +
             "\t" + Range(preset.resultFrom, preset.resultTo) + "\t" + rules + "\n";
  }
  return table;
}

}  // namespace kalkora
