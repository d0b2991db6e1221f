#include <gtest/gtest.h>

#include "core/app/sheets_command_line.hpp"

namespace kalkora {
namespace {

constexpr LocalDateTime kNow{2026, 12, 9, 8, 30, 15};

ParsedCommandLine Parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.end(), {"--output", "a.docx"});
  return ParseSheetsCommandLine(arguments, kNow);
}

TEST(SheetsRuleOptions, EachRuleIsReadIntoTheRules) {
  const ParsedCommandLine parsed = Parse(
      {"--second-from", "2", "--second-to=9", "--result-from", "-1.5", "--result-to", "20",
       "--carry", "30", "--borrow=100", "--remainder", "0", "--blank", "second", "--distinct"});
  ASSERT_EQ(parsed.action, CommandLineAction::Run) << parsed.error;
  const SheetRules& r = parsed.options.rules;
  EXPECT_EQ(r.secondFrom, "2");
  EXPECT_EQ(r.secondTo, "9");
  EXPECT_EQ(r.resultFrom, "-1.5");
  EXPECT_EQ(r.resultTo, "20");
  EXPECT_EQ(r.carry, 30);
  EXPECT_EQ(r.borrow, 100);
  EXPECT_EQ(r.remainder, 0);
  EXPECT_EQ(r.blank, BlankPlace::Second);
  EXPECT_TRUE(r.distinct);
  EXPECT_TRUE(r.presetName.empty());

  EXPECT_FALSE(AnyRuleSet(Parse({}).options.rules)) << "no rule unless one is given";
  EXPECT_FALSE(AnyRuleSet(Parse({"--carry", "any", "--blank", "result"}).options.rules));
}

TEST(SheetsRuleOptions, APresetFillsTheSettingsAndOptionsBesideItOverrideIt) {
  // Wherever --preset stands, the options given beside it win.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--preset", "表内除法", "--to", "72", "--decimals", "2"},
        std::vector<std::string>{"--to=72", "--decimals", "2", "--preset=表内除法"}}) {
    const ParsedCommandLine parsed = Parse(arguments);
    ASSERT_EQ(parsed.action, CommandLineAction::Run) << parsed.error;
    const SheetsOptions& o = parsed.options;
    EXPECT_EQ(o.kind, ExerciseKind::Division);
    EXPECT_EQ(o.from, "1");
    EXPECT_EQ(o.to, "72");
    EXPECT_EQ(o.decimals, "2");
    EXPECT_EQ(o.rules.secondTo, "9");
    EXPECT_EQ(o.rules.resultTo, "9");
    EXPECT_EQ(o.rules.remainder, 0);
    EXPECT_EQ(o.rules.presetName, "表内除法");
  }
  const ParsedCommandLine off = Parse({"--decimals", "2", "--preset", "20以内进位加法"});
  EXPECT_EQ(off.options.decimals, "2") << "given beside the preset";
  const ParsedCommandLine plain = Parse({"--preset", "20以内进位加法", "--carry", "any"});
  EXPECT_EQ(plain.options.decimals, std::nullopt);
  EXPECT_EQ(plain.options.rules.carry, std::nullopt);
  EXPECT_EQ(plain.options.rules.secondFrom, "2");
  EXPECT_EQ(Parse({"--list-presets"}).action, CommandLineAction::ListPresets);
}

TEST(SheetsRuleOptions, BadValuesAreRefusedNamingTheOption) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"--carry", "101"}, "--carry 须是 any 或 0 到 100 之间的整数：101"},
      {{"--borrow", "-5"}, "--borrow 须是 any 或 0 到 100 之间的整数：-5"},
      {{"--remainder", "half"}, "--remainder 须是 any 或 0 到 100 之间的整数：half"},
      {{"--blank", "third"}, "--blank 须是 result、first、second 或 any：third"},
      {{"--result-from", "abc"}, "--result-from 须是一个数"},
      {{"--result-to", "1.1234567"}, "--result-to 须是一个数"},
      {{"--result-to", "1234567890123"}, "--result-to 须是一个数"},
      {{"--preset", "30以内加法"}, "--preset 须是 10以内加法 "},
      {{"--second-from", "3"}, "--second-from 和 --second-to 要一起给"},
      {{"--distinct=yes"}, "选项 --distinct 不带值"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = Parse(c.arguments);
    EXPECT_EQ(parsed.action, CommandLineAction::UsageError) << c.reason;
    EXPECT_TRUE(parsed.error.starts_with(c.reason)) << parsed.error;
  }
}

TEST(SheetsRuleOptions, TheHelpDescribesEveryRuleOption) {
  for (const char* option :
       {"--preset", "--list-presets", "--second-from", "--second-to", "--result-from",
        "--result-to", "--carry", "--borrow", "--remainder", "--blank", "--distinct"}) {
    EXPECT_NE(SheetsHelp().find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace kalkora
