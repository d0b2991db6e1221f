#include "core/app/rule_fields.hpp"

#include <gtest/gtest.h>

namespace kalkora {
namespace {

// Every preset's fields read back as the rules --preset sets.
TEST(RuleFields, EveryPresetsFieldsReadBackAsItsRules) {
  for (const RulePreset& preset : RulePresets()) {
    SCOPED_TRACE(std::string(preset.name));
    const auto read = ReadRuleFields(PresetFields(preset));
    ASSERT_TRUE(std::holds_alternative<SheetRules>(read));
    EXPECT_EQ(std::get<SheetRules>(read), PresetRules(preset));
  }
}

TEST(RuleFields, TypedNumbersAreReadAsTheCommandLineReadsThemOrRefusedByName) {
  struct Case {
    std::string secondFrom, resultTo;
    std::optional<std::string> readSecondFrom, readResultTo;
    std::string refusal;  // empty: read
  };
  const Case cases[] = {
      {"", "", std::nullopt, std::nullopt, ""},
      {"  ", " ", std::nullopt, std::nullopt, ""},
      {" 12 ", "-3.5", "12", "-3.5", ""},
      {"１２", "２０", "12", "20", ""},
      {"-4", "", std::nullopt, std::nullopt, "第二个数从 不能是负数：-4"},
      {"abc", "", std::nullopt, std::nullopt, "第二个数从 须是 0 或更大的整数：abc"},
      {"2.5", "", std::nullopt, std::nullopt, "第二个数从 须是 0 或更大的整数：2.5"},
      {"", "1.1234567", std::nullopt, std::nullopt,
       "结果到 须是一个数（最多 12 位整数、6 位小数）：1.1234567"},
      {"", "ten", std::nullopt, std::nullopt, "结果到 须是一个数（最多 12 位整数、6 位小数）：ten"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondFrom + "|" + c.resultTo);
    RuleFields fields;
    fields.secondFrom = c.secondFrom;
    fields.resultTo = c.resultTo;
    const auto read = ReadRuleFields(fields);
    if (c.refusal.empty()) {
      ASSERT_TRUE(std::holds_alternative<SheetRules>(read));
      EXPECT_EQ(std::get<SheetRules>(read).secondFrom, c.readSecondFrom);
      EXPECT_EQ(std::get<SheetRules>(read).resultTo, c.readResultTo);
    } else {
      ASSERT_TRUE(std::holds_alternative<UserMessage>(read));
      EXPECT_EQ(std::get<UserMessage>(read).text, c.refusal);
    }
  }
}

}  // namespace
}  // namespace kalkora
