#include "core/app/sheets_command_line.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <functional>
#include <string_view>

#include "core/app/option_values.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"
#include "core/word/page_layout.hpp"

namespace kalkora {
namespace {

struct KindName {
  ExerciseKind kind;
  std::string_view chinese;
  std::string_view english;
};

constexpr std::array<KindName, kKindCount> kKindNames = {{
    {ExerciseKind::Addition, "加法", "addition"},
    {ExerciseKind::Subtraction, "减法", "subtraction"},
    {ExerciseKind::Multiplication, "乘法", "multiplication"},
    {ExerciseKind::Division, "除法", "division"},
    {ExerciseKind::AddSubMixed, "加减混合", "add-sub"},
    {ExerciseKind::MulDivMixed, "乘除混合", "mul-div"},
    {ExerciseKind::FourOpMixed, "加减乘除混合", "four-ops"},
    {ExerciseKind::ChainAddition, "连续加法", "chain-add"},
    {ExerciseKind::ChainAddSub, "连续加减法", "chain-add-sub"},
    {ExerciseKind::Fraction, "分数", "fraction"},
}};

// A whole argument of decimal digits only, read as a number.
std::optional<int> Digits(std::string_view text) {
  if (text.empty() || text.size() > 9 || text.front() < '0' || text.front() > '9') {
    return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "YYYY-MM-DD" naming a day of the calendar.
std::optional<LocalDateTime> Day(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::optional<int> year = Digits(text.substr(0, 4));
  const std::optional<int> month = Digits(text.substr(5, 2));
  const std::optional<int> day = Digits(text.substr(8, 2));
  if (!year || !month || !day || *year < 1) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{*year},
                                         std::chrono::month{static_cast<unsigned>(*month)},
                                         std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return LocalDateTime{*year, *month, *day, 0, 0, 0};
}

std::string KindList() {
  std::string chinese;
  std::string english;
  for (const KindName& name : kKindNames) {
    chinese.append(chinese.empty() ? "" : " ").append(name.chinese);
    english.append(english.empty() ? "" : " ").append(name.english);
  }
  return chinese + "，或 " + english;
}

// Reads one option's value into the options; the reason when the value cannot be used.
using ValueReader = std::function<std::optional<std::string>(SheetsOptions&, const std::string&)>;

// The draw adds at most 32767 to the lower bound: a wider range would be cut short unseen.
constexpr long long kWidestRange = 32767;

// A range bound as a number: decimal digits only, read however many there are (a value too
// large for any type is too large for the range as well).
long long BoundValue(std::string_view digits) {
  constexpr long long kBeyondAnyRange = 1LL << 40;
  long long value = 0;
  for (const char digit : digits) {
    value = std::min(value * 10 + (digit - '0'), kBeyondAnyRange);
  }
  return value;
}

// The two bounds together, in either order: the larger one at most the smaller one + 32767.
std::optional<std::string> RangeProblem(const SheetsOptions& options) {
  const long long from = BoundValue(options.from);
  const long long to = BoundValue(options.to);
  const bool toIsLarger = to >= from;
  const long long largest = std::min(from, to) + kWidestRange;
  if (std::max(from, to) <= largest) return std::nullopt;
  const std::string_view option = toIsLarger ? "--to" : "--from";
  const std::string_view other = toIsLarger ? "--from" : "--to";
  return InvalidValue(option,
                      "最大是 " + std::to_string(largest) + "（" + std::string(other) + " 的值加 " +
                          std::to_string(kWidestRange) + "）",
                      toIsLarger ? options.to : options.from);
}

// "any" or a whole percent 0-100 into `share`.
std::optional<std::string> ReadShare(std::string_view option, const std::string& value,
                                     std::optional<int>& share) {
  if (value == "any") {
    share.reset();
    return std::nullopt;
  }
  const std::optional<int> percent = Digits(value);
  if (!percent || *percent > 100)
    return InvalidValue(option, "须是 any 或 0 到 100 之间的整数", value);
  share = *percent;
  return std::nullopt;
}

void ApplyPreset(const RulePreset& preset, SheetsOptions& o) {
  o.kind = preset.kind;
  o.from = std::string(preset.from);
  o.to = std::string(preset.to);
  o.decimals.reset();
  o.rules = PresetRules(preset);
}

std::string PresetNames() {
  std::string names;
  for (const RulePreset& preset : RulePresets()) {
    names.append(names.empty() ? "" : " ").append(preset.name);
  }
  return names;
}

const std::array<std::pair<std::string_view, ValueReader>, 19>& ValueOptions() {
  static const std::array<std::pair<std::string_view, ValueReader>, 19>
      options =
          {
              {
                  {"--kind",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     for (const KindName& name : kKindNames) {
                       if (v == name.chinese || v == name.english) {
                         o.kind = name.kind;
                         return std::nullopt;
                       }
                     }
                     return InvalidValue("--kind", "须是 " + KindList() + " 之一", v);
                   }},
                  {"--problems",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (v != "18" && v != "24" && v != "30")
                       return InvalidValue("--problems", "须是 18、24 或 30", v);
                     o.problems = *Digits(v);
                     return std::nullopt;
                   }},
                  {"--from",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (const auto reason = WholeBoundProblem("--from", v)) return reason;
                     o.from = v;
                     return std::nullopt;
                   }},
                  {"--to",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (const auto reason = WholeBoundProblem("--to", v)) return reason;
                     o.to = v;
                     return std::nullopt;
                   }},
                  {"--decimals",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     // What the places box can hold: one character, a digit or "-".
                     if (v.size() != 1 || !(v[0] == '-' || (v[0] >= '0' && v[0] <= '9'))) {
                       return InvalidValue("--decimals", "须是一个字符：数字或“-”", v);
                     }
                     o.decimals = v;
                     return std::nullopt;
                   }},
                  {"--sheets",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     const std::optional<int> sheets = Digits(v);
                     if (!sheets || *sheets < 1 || *sheets > kMostSheets) {
                       return InvalidValue("--sheets", "须是 1 到 500 之间的整数", v);
                     }
                     o.request.sheets = *sheets;
                     return std::nullopt;
                   }},
                  {"--code",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     const std::optional<int> code = Digits(v);
                     if (!code || !IsSheetCode(*code)) {
                       return InvalidValue("--code", "须是 100000 到 999999 之间的六位数", v);
                     }
                     o.request.firstCode = *code;
                     return std::nullopt;
                   }},
                  {"--date",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     const std::optional<LocalDateTime> day = Day(v);
                     if (!day) return InvalidValue("--date", "须是 YYYY-MM-DD 形式的真实日期", v);
                     o.request.date = *day;
                     return std::nullopt;
                   }},
                  {"--title",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (v.empty()) return InvalidValue("--title", "不能是空的", v);
                     o.request.title = v;
                     return std::nullopt;
                   }},
                  {"--output",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (!FormatOfPath(v))
                       return InvalidValue("--output", "的文件名须以 .docx 或 .pdf 结尾", v);
                     o.request.outputPath = v;
                     return std::nullopt;
                   }},
                  // Applied before all other options; here only checked.
                  {"--preset",
                   [](SheetsOptions&, const std::string& v) -> std::optional<std::string> {
                     if (!FindRulePreset(v))
                       return InvalidValue("--preset", "须是 " + PresetNames() + " 之一", v);
                     return std::nullopt;
                   }},
                  {"--second-from",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (auto reason = WholeBoundProblem("--second-from", v)) return reason;
                     o.rules.secondFrom = v;
                     return std::nullopt;
                   }},
                  {"--second-to",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (auto reason = WholeBoundProblem("--second-to", v)) return reason;
                     o.rules.secondTo = v;
                     return std::nullopt;
                   }},
                  {"--result-from",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (auto reason = ResultBoundProblem("--result-from", v)) return reason;
                     o.rules.resultFrom = v;
                     return std::nullopt;
                   }},
                  {"--result-to",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     if (auto reason = ResultBoundProblem("--result-to", v)) return reason;
                     o.rules.resultTo = v;
                     return std::nullopt;
                   }},
                  {"--carry",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     return ReadShare("--carry", v, o.rules.carry);
                   }},
                  {"--borrow",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     return ReadShare("--borrow", v, o.rules.borrow);
                   }},
                  {"--remainder",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     return ReadShare("--remainder", v, o.rules.remainder);
                   }},
                  {"--blank",
                   [](SheetsOptions& o, const std::string& v) -> std::optional<std::string> {
                     for (const auto& [word, place] : kBlankPlaceWords) {
                       if (v == word) {
                         o.rules.blank = place;
                         return std::nullopt;
                       }
                     }
                     return InvalidValue("--blank", "须是 result、first、second 或 any", v);
                   }},
              }};
  return options;
}

const ValueReader* FindValueOption(std::string_view name) {
  for (const auto& [option, reader] : ValueOptions()) {
    if (option == name) return &reader;
  }
  return nullptr;
}

ParsedCommandLine UsageError(std::string reason) {
  return {CommandLineAction::UsageError, {}, std::move(reason)};
}

// The preset named on the command line (the last one), applied before every other option.
void ApplyPresetOption(const std::vector<std::string>& arguments, SheetsOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::optional<std::string> name;
    if (arguments[i].starts_with("--preset=")) {
      name = arguments[i].substr(9);
    } else if (arguments[i] == "--preset" && i + 1 < arguments.size()) {
      name = arguments[++i];
    } else if (FindValueOption(arguments[i].substr(0, arguments[i].find('=')))) {
      if (arguments[i].find('=') == std::string::npos) ++i;  // skip the option's value
      continue;
    }
    if (name) {
      if (const RulePreset* preset = FindRulePreset(*name)) ApplyPreset(*preset, options);
    }
  }
}

}  // namespace

ParsedCommandLine ParseSheetsCommandLine(const std::vector<std::string>& arguments,
                                         const LocalDateTime& now) {
  ParsedCommandLine parsed;
  parsed.options.request.date = now;
  ApplyPresetOption(arguments, parsed.options);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!argument.starts_with("--")) return UsageError("多余的参数：" + argument);
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    std::optional<std::string> value;
    if (equals != std::string::npos) value = argument.substr(equals + 1);

    if (name == "--help" || name == "--version" || name == "--answers" || name == "--name-line" ||
        name == "--list-presets" || name == "--distinct") {
      if (value) return UsageError("选项 " + name + " 不带值");
      if (name == "--help") return {CommandLineAction::Help, {}, {}};
      if (name == "--version") return {CommandLineAction::Version, {}, {}};
      if (name == "--list-presets") return {CommandLineAction::ListPresets, {}, {}};
      if (name == "--distinct") {
        parsed.options.rules.distinct = true;
      } else {
        (name == "--answers" ? parsed.options.request.answers : parsed.options.request.nameLine) =
            true;
      }
      continue;
    }
    const ValueReader* reader = FindValueOption(name);
    if (!reader) return UsageError("未知的选项：" + name);
    if (!value) {
      if (i + 1 == arguments.size()) return UsageError("选项 " + name + " 缺少值");
      value = arguments[++i];
    }
    if (const std::optional<std::string> reason = (*reader)(parsed.options, *value)) {
      return UsageError(*reason);
    }
  }
  if (const std::optional<std::string> reason = RangeProblem(parsed.options)) {
    return UsageError(*reason);
  }
  if (parsed.options.request.outputPath.empty()) return UsageError("缺少 --output 文件");
  const SheetRules& rules = parsed.options.rules;
  if (rules.secondFrom.has_value() != rules.secondTo.has_value()) {
    return UsageError("--second-from 和 --second-to 要一起给");
  }
  return parsed;
}

SheetSettings SettingsOf(const SheetsOptions& options) {
  SheetSettings settings;
  settings.kind = options.kind;
  settings.size = options.problems;
  settings.from = options.from;
  settings.to = options.to;
  settings.decimals = options.decimals.has_value();
  if (options.decimals) settings.places = *options.decimals;
  settings.rules = options.rules;
  return settings;
}

std::string SheetsUsage() {
  return "用法：kalkora-sheets [选项...] --output 文件\n"
         "选项见 kalkora-sheets --help。\n";
}

std::string SheetsHelp() {
  return "用法：kalkora-sheets [选项...] --output 文件\n"
         "按题卡的设置生成一套题卡（可附答案），存为 Word 文档（.docx）或 PDF。\n"
         "每个选项也可写成 --选项=值；选项后面的参数总是它的值，即使以“-”开头，\n"
         "例如 --output -草稿.docx。\n"
         "\n"
         "  --kind 题型         " +
         KindList() +
         "（默认 加法）\n"
         "  --problems 题数     18、24 或 30（默认 18）\n"
         "  --from 数，--to 数  数的范围：0 或更大的整数，两数相差至多 32767（默认 1 和 100）\n"
         "  --decimals 位数     加小数点，位数是小数位数框能放的一个字符：数字或“-”（默认不加）\n"
         "  --sheets 份数       1 到 500（默认 1）\n"
         "  --code 卷号         第一份的卷号，100000 到 999999，后面每份加 1，\n"
         "                      999999 之后接 100000（默认随机）\n"
         "  --answers           同时生成答案，存在文件旁边，文件名后加“-答案”\n"
         "  --date 日期         日期行的日期，YYYY-MM-DD（默认今天）\n"
         "  --title 标题        题卡和答案的标题，代替“数学作业练习”；一行须放得下，最多 " +
         std::to_string(TitleLimit()) +
         " 个汉字\n"
         "                      （两个字母或数字算一个汉字）\n"
         "  --name-line         在标题行下面印“班级＿＿＿＿　姓名＿＿＿＿”\n"
         "  --output 文件       .docx 或 .pdf，都直接写出，不用办公软件；已有的文件被替换\n"
         "\n"
         "题目要求（都不给时，每份与以前同一卷号的题卡完全相同）：\n"
         "  --preset 名称       常用练习：设好题型、两个范围、结果范围和要求，不加小数点；\n"
         "                      同时给出的其他选项优先（名称见 --list-presets）\n"
         "  --list-presets      列出常用练习\n"
         "  --second-from 数，--second-to 数\n"
         "                      第二个及以后的数的范围（第一个数仍用 --from/--to）；给了它，\n"
         "                      减法和除法不再把大数换到前面，而是不出负的差和除数 0\n"
         "  --result-from 数，--result-to 数\n"
         "                      每个结果（连续运算的每一步）都在这个范围内，可只给一头；\n"
         "                      除法的结果是商：有余数时是整数部分，有小数时是准确的商\n"
         "  --carry 比例        any（默认）或 0 到 100：含加法的题中进位的占几成\n"
         "                      （四舍五入到整道题；按小数点对齐、逐位判断）\n"
         "  --borrow 比例       同上，含减法的题中退位的\n"
         "  --remainder 比例    同上，除法题中有余数的；有小数时只能是 any 或 0，\n"
         "                      0 表示商在小数位数内除尽\n"
         "  --blank 位置        result（默认，填得数）、first、second 或 any（每题随机）；\n"
         "                      空写成“（　　）”，只有一个数能填；分数只能是 result，\n"
         "                      小数除法在数上填空要 --remainder 0\n"
         "  --distinct          同一份里没有两道相同的题\n"
         "设置无法满足时不写文件，说明冲突，退出码 2。\n"
         "\n"
         "  --help，--version\n"
         "\n"
         "退出码：0 已写出；2 设置被拒绝或用法错误；3 无法写出文件；\n"
         "4 要 PDF 而这个版本没有写 PDF 的办法；130 被中断（Ctrl+C 等），没有写入文件。\n"
         "\n"
         "例：kalkora-sheets --kind 减法 --problems 30 --sheets 40 --answers --output 三年级.pdf\n";
}

}  // namespace kalkora
