#include "core/app/rule_fields.hpp"

#include "core/app/batch_messages.hpp"
#include "core/app/option_values.hpp"
#include "core/generate/number_text.hpp"

namespace kalkora {
namespace {

// A typed number without the spaces around it, its full-width characters made ASCII.
std::string Typed(const std::string& text) {
  const std::string ascii = HalfWidth(text);
  const std::size_t first = ascii.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return ascii.substr(first, ascii.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::variant<SheetRules, UserMessage> ReadRuleFields(const RuleFields& fields) {
  SheetRules rules;
  struct Number {
    const char* label;
    const std::string& typed;
    std::optional<std::string>& rule;
    std::optional<std::string> (*problem)(std::string_view, const std::string&);
  };
  const Number numbers[] = {
      {kSecondFromLabel, fields.secondFrom, rules.secondFrom, WholeBoundProblem},
      {kSecondToLabel, fields.secondTo, rules.secondTo, WholeBoundProblem},
      {kResultFromLabel, fields.resultFrom, rules.resultFrom, ResultBoundProblem},
      {kResultToLabel, fields.resultTo, rules.resultTo, ResultBoundProblem},
  };
  for (const Number& number : numbers) {
    const std::string value = Typed(number.typed);
    if (value.empty()) continue;
    if (const std::optional<std::string> reason = number.problem(number.label, value)) {
      return UserMessage{*reason, kBatchCaption};
    }
    number.rule = value;
  }
  rules.carry = fields.carry;
  rules.borrow = fields.borrow;
  rules.remainder = fields.remainder;
  rules.blank = fields.blank;
  rules.distinct = fields.distinct;
  rules.presetName = fields.preset;
  return rules;
}

RuleFields PresetFields(const RulePreset& preset) {
  const SheetRules rules = PresetRules(preset);
  return {rules.presetName,
          rules.secondFrom.value_or(""),
          rules.secondTo.value_or(""),
          rules.resultFrom.value_or(""),
          rules.resultTo.value_or(""),
          rules.carry,
          rules.borrow,
          rules.remainder,
          rules.blank,
          rules.distinct};
}

}  // namespace kalkora
