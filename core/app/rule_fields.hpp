#pragma once

#include <optional>
#include <string>
#include <variant>

#include "core/base/message_box.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

// The 题目要求 group of the 批量生成 dialog, as the user left it. The shares come from boxes
// that only give 不限 or 0-100; the numbers are texts as typed (full-width digits allowed),
// an empty one leaving its rule unset.
struct RuleFields {
  std::string preset;  // a preset's name; empty: none
  std::string secondFrom, secondTo;
  std::string resultFrom, resultTo;
  std::optional<int> carry, borrow, remainder;  // none: 不限
  BlankPlace blank = BlankPlace::Result;
  bool distinct = false;

  friend bool operator==(const RuleFields&, const RuleFields&) = default;
};

// The group's labels, which the messages name.
inline constexpr char kSecondFromLabel[] = "第二个数从";
inline constexpr char kSecondToLabel[] = "第二个数到";
inline constexpr char kResultFromLabel[] = "结果从";
inline constexpr char kResultToLabel[] = "结果到";

// The rules the fields set, read as the command line reads its options: a second range of
// whole numbers of at least 0, result bounds of at most 12 whole and 6 fraction digits. A field
// that is not such a number gives the message naming it instead. The preset's name is kept,
// so that the set also takes the preset's kind and range.
std::variant<SheetRules, UserMessage> ReadRuleFields(const RuleFields& fields);

// The fields a preset fills in when it is chosen.
RuleFields PresetFields(const RulePreset& preset);

}  // namespace kalkora
