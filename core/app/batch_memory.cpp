#include "core/app/batch_memory.hpp"

#include <charconv>
#include <utility>

#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"

namespace kalkora {
namespace {

constexpr char kSheets[] = "Sheets";
constexpr char kAnswers[] = "Answers";
constexpr char kFormat[] = "Format";
constexpr char kFolder[] = "Folder";
constexpr char kFirstCode[] = "FirstCode";
constexpr char kPreset[] = "Preset";
constexpr char kBlank[] = "Blank";
constexpr char kDistinct[] = "Distinct";
constexpr char kTitle[] = "Title";
constexpr char kNameLine[] = "NameLine";

// The rules' number texts, stored as they were typed.
constexpr std::pair<const char*, std::string RuleFields::*> kRuleTexts[] = {
    {"SecondFrom", &RuleFields::secondFrom},
    {"SecondTo", &RuleFields::secondTo},
    {"ResultFrom", &RuleFields::resultFrom},
    {"ResultTo", &RuleFields::resultTo},
};

// The shares: a percent, or empty for 不限.
constexpr std::pair<const char*, std::optional<int> RuleFields::*> kRuleShares[] = {
    {"Carry", &RuleFields::carry},
    {"Borrow", &RuleFields::borrow},
    {"Remainder", &RuleFields::remainder},
};

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

const char* Flag(bool on) { return on ? "1" : "0"; }

// A flag stored as "1" or "0"; anything else leaves `flag` as it is.
void ReadFlag(const std::optional<std::string>& text, bool& flag) {
  if (text == "0" || text == "1") flag = *text == "1";
}

std::string BlankWord(BlankPlace blank) {
  for (const auto& [word, place] : kBlankPlaceWords) {
    if (place == blank) return std::string(word);
  }
  return {};
}

void AddRules(const RuleFields& rules, BatchMemoryValues& values) {
  values.emplace_back(kPreset, rules.preset);
  for (const auto& [name, field] : kRuleTexts) values.emplace_back(name, rules.*field);
  for (const auto& [name, field] : kRuleShares) {
    values.emplace_back(name, (rules.*field) ? std::to_string(*(rules.*field)) : "");
  }
  values.emplace_back(kBlank, BlankWord(rules.blank));
  values.emplace_back(kDistinct, Flag(rules.distinct));
}

RuleFields RememberedRules(
    const std::function<std::optional<std::string>(std::string_view)>& read) {
  RuleFields rules;
  if (const auto name = read(kPreset); name && FindRulePreset(*name)) rules.preset = *name;
  for (const auto& [name, field] : kRuleTexts) {
    if (auto text = read(name)) rules.*field = std::move(*text);
  }
  for (const auto& [name, field] : kRuleShares) {
    if (const auto text = read(name)) {
      const int share = WholeNumber(*text).value_or(-1);
      if (share >= 0 && share <= 100) rules.*field = share;
    }
  }
  if (const auto word = read(kBlank)) {
    for (const auto& [known, place] : kBlankPlaceWords) {
      if (*word == known) rules.blank = place;
    }
  }
  ReadFlag(read(kDistinct), rules.distinct);
  return rules;
}

}  // namespace

BatchMemoryValues StoredBatchMemory(const BatchMemory& memory) {
  BatchMemoryValues values = {
      {kSheets, std::to_string(memory.sheets)},
      {kAnswers, Flag(memory.answers)},
      {kFormat, memory.format == DocumentFormat::Pdf ? "pdf" : "docx"},
      {kFolder, memory.folder},
      {kFirstCode, memory.firstCode ? std::to_string(*memory.firstCode) : ""}};
  AddRules(memory.rules, values);
  values.emplace_back(kTitle, memory.title);
  values.emplace_back(kNameLine, Flag(memory.nameLine));
  return values;
}

BatchMemory RememberedBatch(
    const std::function<std::optional<std::string>(std::string_view)>& read) {
  BatchMemory memory;
  if (const auto text = read(kSheets)) {
    if (const auto sheets = WholeNumber(*text); sheets && *sheets >= 1 && *sheets <= 500) {
      memory.sheets = *sheets;
    }
  }
  ReadFlag(read(kAnswers), memory.answers);
  if (const auto text = read(kFormat); text == "pdf") memory.format = DocumentFormat::Pdf;
  if (const auto text = read(kFolder)) memory.folder = *text;
  if (const auto text = read(kFirstCode)) {
    if (const auto code = WholeNumber(*text); code && IsSheetCode(*code)) memory.firstCode = code;
  }
  memory.rules = RememberedRules(read);
  if (auto title = read(kTitle)) memory.title = std::move(*title);
  ReadFlag(read(kNameLine), memory.nameLine);
  return memory;
}

}  // namespace kalkora
