#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kalkora {

// Where the pupil writes: the result, the first or the second operand, or a place drawn for
// each problem (the result's included; in a chain any operand).
enum class BlankPlace { Result, First, Second, Any };

// The words for the places, as the command line takes them and the dialogs store them.
inline constexpr std::pair<std::string_view, BlankPlace> kBlankPlaceWords[] = {
    {"result", BlankPlace::Result},
    {"first", BlankPlace::First},
    {"second", BlankPlace::Second},
    {"any", BlankPlace::Any},
};

// The difficulty rules of a class set. Unset, every sheet is the classic sheet of its code.
struct SheetRules {
  std::optional<std::string> secondFrom;  // the second and later operands, read like the range
  std::optional<std::string> secondTo;    // boxes; both or neither
  std::optional<std::string> resultFrom;  // exact decimal texts, "-3", "2.5"; either alone
  std::optional<std::string> resultTo;
  std::optional<int> carry;      // percent of the problems with + that carry; none: any
  std::optional<int> borrow;     // percent of the problems with - that borrow
  std::optional<int> remainder;  // percent of the divisions with a remainder
  BlankPlace blank = BlankPlace::Result;
  bool distinct = false;   // no two problems of a sheet with the same text
  std::string presetName;  // the preset the rules came from, if any

  friend bool operator==(const SheetRules&, const SheetRules&) = default;
};

// An operand range as the range boxes give it: each text read as a bound (ToNumber, then
// TruncateBound), a bound below 0 counting as 0, the two in either order.
struct WholeRange {
  std::int64_t lo = 0;
  std::int64_t hi = 0;
  friend bool operator==(const WholeRange&, const WholeRange&) = default;
};
WholeRange ReadRange(const std::string& from, const std::string& to);

// Whether any rule is set, so that the sheets are drawn under the rules.
bool AnyRuleSet(const SheetRules& rules);

// The rules in words for the key's line, joined by "，": the preset's name and "：", then
// "第二个数 A～B", "结果 X～Y" (or "结果 ≥ X", "结果 ≤ Y"), "进位 P%", "退位 P%", "余数 P%",
// "填空 第一个数"/"填空 第二个数"/"填空 随机", "不重复". Empty when no rule is set.
std::string RuleWords(const SheetRules& rules);

// The text cut to at most `width` columns (a character outside ASCII counts two), ending in
// "…" where it was cut.
std::string FitToWidth(const std::string& text, int width);

}  // namespace kalkora
