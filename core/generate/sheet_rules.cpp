#include "core/generate/sheet_rules.hpp"

#include <algorithm>
#include <vector>

#include "core/generate/exact_decimal.hpp"
#include "core/generate/number_text.hpp"

namespace kalkora {

WholeRange ReadRange(const std::string& from, const std::string& to) {
  const std::int64_t a = std::max<std::int32_t>(TruncateBound(ToNumber(from)), 0);
  const std::int64_t b = std::max<std::int32_t>(TruncateBound(ToNumber(to)), 0);
  return {std::min(a, b), std::max(a, b)};
}

bool AnyRuleSet(const SheetRules& rules) {
  return rules.secondFrom || rules.secondTo || rules.resultFrom || rules.resultTo || rules.carry ||
         rules.borrow || rules.remainder || rules.blank != BlankPlace::Result || rules.distinct;
}

namespace {

std::string NumberWords(const std::string& text) {
  const std::optional<ExactDecimal> value = ExactDecimal::Parse(text);
  return value ? value->Text() : text;
}

}  // namespace

std::string RuleWords(const SheetRules& rules) {
  if (!AnyRuleSet(rules)) return "";
  std::vector<std::string> words;
  if (rules.secondFrom || rules.secondTo) {
    const WholeRange second = ReadRange(rules.secondFrom.value_or(""), rules.secondTo.value_or(""));
    words.push_back("第二个数 " + std::to_string(second.lo) + "～" + std::to_string(second.hi));
  }
  if (rules.resultFrom && rules.resultTo) {
    words.push_back("结果 " + NumberWords(*rules.resultFrom) + "～" + NumberWords(*rules.resultTo));
  } else if (rules.resultFrom) {
    words.push_back("结果 ≥ " + NumberWords(*rules.resultFrom));
  } else if (rules.resultTo) {
    words.push_back("结果 ≤ " + NumberWords(*rules.resultTo));
  }
  if (rules.carry) words.push_back("进位 " + std::to_string(*rules.carry) + "%");
  if (rules.borrow) words.push_back("退位 " + std::to_string(*rules.borrow) + "%");
  if (rules.remainder) words.push_back("余数 " + std::to_string(*rules.remainder) + "%");
  switch (rules.blank) {
    case BlankPlace::Result:
      break;
    case BlankPlace::First:
      words.push_back("填空 第一个数");
      break;
    case BlankPlace::Second:
      words.push_back("填空 第二个数");
      break;
    case BlankPlace::Any:
      words.push_back("填空 随机");
      break;
  }
  if (rules.distinct) words.push_back("不重复");
  std::string line = rules.presetName.empty() ? "" : rules.presetName + "：";
  for (std::size_t i = 0; i < words.size(); ++i) line += (i == 0 ? "" : "，") + words[i];
  return line;
}

std::string FitToWidth(const std::string& text, int width) {
  // Each character as its UTF-8 bytes, with the columns it takes.
  struct Character {
    std::size_t begin, end;
    int columns;
  };
  std::vector<Character> characters;
  int total = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min(length, text.size() - i);
    const int columns = lead < 0x80 ? 1 : 2;
    characters.push_back({i, i + length, columns});
    total += columns;
    i += length;
  }
  if (total <= width) return text;
  constexpr int kEllipsisColumns = 2;
  int used = 0;
  std::size_t end = 0;
  for (const Character& character : characters) {
    if (used + character.columns + kEllipsisColumns > width) break;
    used += character.columns;
    end = character.end;
  }
  return text.substr(0, end) + "…";
}

}  // namespace kalkora
