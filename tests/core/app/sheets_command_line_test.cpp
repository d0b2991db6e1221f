#include "core/app/sheets_command_line.hpp"

#include <gtest/gtest.h>

#include "core/base/form_names.hpp"
#include "core/generate/validate_settings.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

constexpr LocalDateTime kNow{2026, 12, 9, 8, 30, 15};

ParsedCommandLine Parse(std::vector<std::string> arguments) {
  return ParseSheetsCommandLine(arguments, kNow);
}

TEST(SheetsCommandLine, DefaultsNeedOnlyTheOutput) {
  const ParsedCommandLine parsed = Parse({"--output", "set.docx"});
  ASSERT_EQ(parsed.action, CommandLineAction::Run) << parsed.error;
  const SheetsOptions& o = parsed.options;
  EXPECT_EQ(o.kind, ExerciseKind::Addition);
  EXPECT_EQ(o.problems, 18);
  EXPECT_EQ(o.from, "1");
  EXPECT_EQ(o.to, "100");
  EXPECT_EQ(o.decimals, std::nullopt);
  EXPECT_EQ(o.request.sheets, 1);
  EXPECT_EQ(o.request.firstCode, std::nullopt);
  EXPECT_FALSE(o.request.answers);
  EXPECT_EQ(o.request.date.year, 2026);
  EXPECT_EQ(o.request.date.second, 15) << "today, now";
  EXPECT_EQ(o.request.outputPath, "set.docx");
}

// Each option in both forms; a value that begins with "-" is still the option's value.
TEST(SheetsCommandLine, ReadsEveryOptionInBothForms) {
  const struct {
    std::vector<std::string> arguments;
    std::function<bool(const SheetsOptions&)> holds;
  } cases[] = {
      {{"--kind", "减法"}, [](auto& o) { return o.kind == ExerciseKind::Subtraction; }},
      {{"--kind=chain-add-sub"}, [](auto& o) { return o.kind == ExerciseKind::ChainAddSub; }},
      {{"--kind", "加减乘除混合"}, [](auto& o) { return o.kind == ExerciseKind::FourOpMixed; }},
      {{"--kind=fraction"}, [](auto& o) { return o.kind == ExerciseKind::Fraction; }},
      {{"--problems", "24"}, [](auto& o) { return o.problems == 24; }},
      {{"--problems=30"}, [](auto& o) { return o.problems == 30; }},
      {{"--from", "0"}, [](auto& o) { return o.from == "0"; }},
      {{"--from=20"}, [](auto& o) { return o.from == "20"; }},
      {{"--to", "32768"}, [](auto& o) { return o.to == "32768"; }},
      {{"--to=50000", "--from", "17233"}, [](auto& o) { return o.to == "50000"; }},
      {{"--from", "50000", "--to=17233"}, [](auto& o) { return o.from == "50000"; }},
      {{"--from", "007"}, [](auto& o) { return o.from == "007"; }},
      {{"--decimals", "3"}, [](auto& o) { return o.decimals == "3"; }},
      {{"--decimals=-"}, [](auto& o) { return o.decimals == "-"; }},
      {{"--sheets", "500"}, [](auto& o) { return o.request.sheets == 500; }},
      {{"--sheets=1"}, [](auto& o) { return o.request.sheets == 1; }},
      {{"--code", "100000"}, [](auto& o) { return o.request.firstCode == 100000; }},
      {{"--code=999999"}, [](auto& o) { return o.request.firstCode == 999999; }},
      {{"--answers"}, [](auto& o) { return o.request.answers && !o.request.nameLine; }},
      {{"--name-line"}, [](auto& o) { return o.request.nameLine && !o.request.answers; }},
      {{"--title", "期末复习"}, [](auto& o) { return o.request.title == "期末复习"; }},
      {{"--title=a b"}, [](auto& o) { return o.request.title == "a b"; }},
      {{"--date", "2024-02-29"},
       [](auto& o) {
         const LocalDateTime& d = o.request.date;
         return d.year == 2024 && d.month == 2 && d.day == 29 && d.hour == 0 && d.second == 0;
       }},
      {{"--date=2026-12-31"}, [](auto& o) { return o.request.date.day == 31; }},
      {{"--output=口算题卡.PDF"}, [](auto& o) { return o.request.outputPath == "口算题卡.PDF"; }},
      {{"--output", "-草稿.docx"}, [](auto& o) { return o.request.outputPath == "-草稿.docx"; }},
      {{"--sheets", "2", "--sheets", "3"}, [](auto& o) { return o.request.sheets == 3; }},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    if (!c.arguments[0].starts_with("--output")) {
      arguments.insert(arguments.end(), {"--output", "a.docx"});
    }
    const ParsedCommandLine parsed = Parse(arguments);
    ASSERT_EQ(parsed.action, CommandLineAction::Run) << c.arguments[0] << ": " << parsed.error;
    EXPECT_TRUE(c.holds(parsed.options)) << c.arguments[0];
  }
}

TEST(SheetsCommandLine, UsageErrorsGiveOneLineReasons) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{}, "缺少 --output 文件"},
      {{"--output", "a.txt"}, "--output 的文件名须以 .docx 或 .pdf 结尾：a.txt"},
      {{"--output=a"}, "--output 的文件名须以 .docx 或 .pdf 结尾：a"},
      {{"--output"}, "选项 --output 缺少值"},
      {{"--bogus", "--output", "a.docx"}, "未知的选项：--bogus"},
      {{"-o", "a.docx"}, "多余的参数：-o"},
      {{"a.docx"}, "多余的参数：a.docx"},
      {{"--answers=yes"}, "选项 --answers 不带值"},
      {{"--name-line=1"}, "选项 --name-line 不带值"},
      {{"--title="}, "--title 不能是空的："},
      {{"--kind", "subtract"}, "--kind 须是 "},
      {{"--problems", "20"}, "--problems 须是 18、24 或 30：20"},
      {{"--decimals", "22"}, "--decimals 须是一个字符：数字或“-”：22"},
      {{"--decimals", "x"}, "--decimals 须是一个字符：数字或“-”：x"},
      {{"--decimals="}, "--decimals 须是一个字符：数字或“-”："},
      {{"--sheets", "0"}, "--sheets 须是 1 到 500 之间的整数：0"},
      {{"--sheets", "501"}, "--sheets 须是 1 到 500 之间的整数：501"},
      {{"--sheets", "+5"}, "--sheets 须是 1 到 500 之间的整数：+5"},
      {{"--sheets", "5x"}, "--sheets 须是 1 到 500 之间的整数：5x"},
      {{"--code", "99999"}, "--code 须是 100000 到 999999 之间的六位数：99999"},
      {{"--code", "1000000"}, "--code 须是 100000 到 999999 之间的六位数：1000000"},
      {{"--date", "2026-02-29"}, "--date 须是 YYYY-MM-DD 形式的真实日期：2026-02-29"},
      {{"--date", "2026-1-09"}, "--date 须是 YYYY-MM-DD 形式的真实日期：2026-1-09"},
      // Every number option takes numbers only; a range bound is a whole number from 0 ...
      {{"--from", "abc"}, "--from 须是 0 或更大的整数：abc"},
      {{"--to", "1.5"}, "--to 须是 0 或更大的整数：1.5"},
      {{"--to="}, "--to 须是 0 或更大的整数："},
      {{"--from", "+5"}, "--from 须是 0 或更大的整数：+5"},
      {{"--from", " 5"}, "--from 须是 0 或更大的整数： 5"},
      {{"--from", "-5", "--to", "5"}, "--from 不能是负数：-5"},
      {{"--to", "-1"}, "--to 不能是负数：-1"},
      {{"--second-from", "abc"}, "--second-from 须是 0 或更大的整数：abc"},
      {{"--second-to", "-2"}, "--second-to 不能是负数：-2"},
      {{"--problems", "abc"}, "--problems 须是 18、24 或 30：abc"},
      {{"--sheets", "abc"}, "--sheets 须是 1 到 500 之间的整数：abc"},
      {{"--code", "abc"}, "--code 须是 100000 到 999999 之间的六位数：abc"},
      // ... and the larger bound at most the smaller one + 32767, which the draw covers.
      {{"--to", "100000000000", "--output", "a.docx"},
       "--to 最大是 32768（--from 的值加 32767）：100000000000"},
      {{"--from", "0", "--to", "32768", "--output", "a.docx"},
       "--to 最大是 32767（--from 的值加 32767）：32768"},
      {{"--from", "40000", "--output", "a.docx"},
       "--from 最大是 32867（--to 的值加 32767）：40000"},
      {{"--from=99999999999999999999999", "--to=0", "--output", "a.docx"},
       "--from 最大是 32767（--to 的值加 32767）：99999999999999999999999"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = Parse(c.arguments);
    EXPECT_EQ(parsed.action, CommandLineAction::UsageError) << c.reason;
    EXPECT_TRUE(parsed.error.starts_with(c.reason)) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
  }
}

// Any two bounds, in either order, are taken exactly when the draw covers the whole range.
TEST(SheetsCommandLine, TakesTheRangesTheDrawCovers) {
  const long long bounds[] = {0, 1, 100, 32766, 32767, 32768, 65535, 65536, 1000000};
  for (const long long from : bounds) {
    for (const long long to : bounds) {
      const ParsedCommandLine parsed =
          Parse({"--from", std::to_string(from), "--to", std::to_string(to), "--output", "a.docx"});
      const bool covered = (from > to ? from - to : to - from) <= 32767;
      EXPECT_EQ(parsed.action == CommandLineAction::Run, covered)
          << from << " " << to << ": " << parsed.error;
    }
  }
}

TEST(SheetsCommandLine, HelpAndVersionEndTheReadingWhereTheyStand) {
  EXPECT_EQ(Parse({"--help"}).action, CommandLineAction::Help);
  EXPECT_EQ(Parse({"--kind", "减法", "--version", "--bogus"}).action, CommandLineAction::Version);
  EXPECT_EQ(Parse({"--bogus", "--help"}).action, CommandLineAction::UsageError);
  EXPECT_EQ(Parse({"--output", "--help.pdf"}).options.request.outputPath, "--help.pdf");
  EXPECT_NE(SheetsHelp().find("--decimals"), std::string::npos);
  EXPECT_EQ(SheetsHelp().find("--from -"), std::string::npos) << "no negative bound as example";
  EXPECT_NE(SheetsHelp().find("130 被中断"), std::string::npos);
  EXPECT_NE(SheetsHelp().find("999999 之后接 100000"), std::string::npos);
  EXPECT_NE(SheetsUsage().find("--output"), std::string::npos);
}

// The command line's settings are those a user sets on the form for the same sheets.
TEST(SheetsCommandLine, GivesTheSettingsTheFormGivesForTheSameChoices) {
  SheetsOptions options;
  options.kind = ExerciseKind::Division;
  options.problems = 30;
  options.from = "-20";
  options.to = "20";
  options.decimals = "4";
  testing::MemoryControls form;
  form.ChooseKind(form::选择框4);
  form.Select(form::kSize30);
  form.WriteText(form::kRangeFrom, "-20");
  form.WriteText(form::kRangeTo, "20");
  form.Select(form::kDecimalsOn);
  form.WriteText(form::kDecimalPlaces, "4");
  EXPECT_TRUE(SettingsOf(options) == ReadSheetSettings(form));
  EXPECT_EQ(ValidateSettings(SettingsOf(options))->text,
            "30题的作业，小数点如果大于3位，将无法显示出来！");

  testing::MemoryControls untouched;
  EXPECT_TRUE(SettingsOf(SheetsOptions{}) == ReadSheetSettings(untouched))
      << "decimals stay off, the places text keeps its 2";
  EXPECT_EQ(ValidateSettings(SettingsOf(SheetsOptions{})), std::nullopt);
}

}  // namespace
}  // namespace kalkora
