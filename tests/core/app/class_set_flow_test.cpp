#include "core/app/class_set_flow.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/temporary_folder.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

// A window that answers as told and records what the flow showed and asked.
class ScriptedWindow : public ClassSetWindow {
 public:
  // Hands the choice to one 生成; what the dialog would show over itself counts as shown.
  void AskForBatch(const BatchDialogInput& input, const BatchSubmit& submit) override {
    summaries.push_back(SettingsSummary(input.form));
    if (!choice) return;
    const BatchSubmission submission = submit(*choice);
    stayedOpen = !submission.close;
    if (submission.error) shown.push_back(*submission.error);
  }
  BatchResult WriteWithProgress(
      int, bool, const std::function<BatchResult(const BatchProgress&)>& write) override {
    ++writes;
    return write([this](int, int) { return !cancel; });
  }
  bool Ask(const Question& question) override {
    asked.push_back(question.message);
    return answer;
  }
  bool OpenFile(const std::string& path) override {
    opened.push_back(Utf8FromPath(PathFromUtf8(path).filename()));
    return opens;
  }
  void ShowMessage(const UserMessage& message) override { shown.push_back(message); }

  std::optional<BatchChoice> choice;
  bool cancel = false;
  bool answer = false;
  bool opens = true;
  int writes = 0;
  bool stayedOpen = false;
  std::vector<std::string> summaries;
  std::vector<UserMessage> asked;
  std::vector<std::string> opened;
  std::vector<UserMessage> shown;
};

// One outcome of 批量生成 as both windows see it: what is asked, shown, opened and left in
// panel 1.
struct FlowCase {
  const char* name;
  std::function<void(testing::MemoryControls&, ScriptedWindow&, const fs::path&)> setUp;
  std::vector<UserMessage> asked;
  std::vector<UserMessage> shown;
  std::vector<std::string> opened;
  bool panelWritten;
  bool dialogStaysOpen = false;
};

std::string In(const fs::path& folder, const char* name) {
  return Utf8FromPath(folder / PathFromUtf8(name));
}

const UserMessage kNoKind{"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： "};
const UserMessage kDocxInstead{NoConverterMessage().text + "\n\n要改为生成 Word 文档吗？",
                               kBatchCaption};

TEST(ClassSetFlow, EachOutcomeAsksShowsAndOpensTheSameOnEveryWindow) {
  const testing::TemporaryFolder scratch("kalkora-flow-");
  const fs::path& folder = scratch.Path();
  const std::string set = In(folder, "三班.docx");
  const std::string key = In(folder, "三班-答案.docx");
  const FlowCase cases[] = {
      {"refused settings never open the dialog",
       [](auto& form, auto&, auto&) { form.WriteState(form::选择框1, 0); },
       {},
       {kNoKind},
       {},
       false},
      {"a cancelled dialog does nothing",
       [](auto&, auto& window, auto&) { window.choice.reset(); },
       {},
       {},
       {},
       false},
      {"a written set is named in panel 1 and opened",
       [](auto&, auto&, auto&) {},
       {},
       {},
       {"三班.docx", "三班-答案.docx"},
       true},
      {"files nothing opens are named in one message",
       [](auto&, auto& window, auto&) { window.opens = false; },
       {},
       {UnopenedFilesMessage({set, key})},
       {"三班.docx", "三班-答案.docx"},
       true},
      {"a cancelled run says that nothing was written",
       [](auto&, auto& window, auto&) { window.cancel = true; },
       {},
       {CancelledMessage()},
       {},
       false},
      {"a PDF without a converter offers the .docx; declined, nothing is written",
       [](auto&, auto& window, auto& at) { window.choice->path = In(at, "三班.pdf"); },
       {kDocxInstead},
       {},
       {},
       false,
       true},
      {"the .docx taken instead asks before it replaces a file",
       [](auto&, auto& window, auto& at) {
         window.choice->path = In(at, "三班.pdf");
         window.answer = true;
         std::ofstream(PathFromUtf8(In(at, "三班.docx"))) << "older";
       },
       {kDocxInstead, ReplaceMessage({set})},
       {},
       {"三班.docx", "三班-答案.docx"},
       true},
      {"rules that cannot be met are refused naming the conflict, and nothing is written",
       [](auto& form, auto& window, auto&) {
         form.WriteText(form::编辑框1, "0");
         form.WriteText(form::编辑框2, "4");
         window.choice->rules.carry = 100;
       },
       {},
       {{"这些设置出不了进位的加法题", "提示："}},
       {},
       false,
       true},
      {"a set that cannot be written says why",
       [](auto&, auto& window, auto& at) { window.choice->path = In(at / "无此文件夹", "a.docx"); },
       {},
       {{"无法写入文件：" + In(folder / "无此文件夹", "a.docx"), kBatchCaption}},
       {},
       false,
       true},
  };
  for (const FlowCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    testing::MemoryControls form;
    testing::FakeClock clock;
    ScriptedWindow window;
    window.choice = BatchChoice{3, true, set, 482913};
    c.setUp(form, window, folder);
    const std::string panel = form.Panel(1);
    RunClassSet({form, clock, window, nullptr});
    EXPECT_EQ(window.asked, c.asked);
    ASSERT_EQ(window.shown.size(), c.shown.size());
    for (std::size_t i = 0; i < c.shown.size(); ++i) {
      // Where the system gives a reason, it follows the text the table holds.
      EXPECT_TRUE(window.shown[i].text.starts_with(c.shown[i].text)) << window.shown[i].text;
      EXPECT_EQ(window.shown[i].caption, c.shown[i].caption);
    }
    EXPECT_EQ(window.opened, c.opened);
    EXPECT_EQ(form.Panel(1), c.panelWritten ? "已生成 3 份题卡" : panel);
    EXPECT_EQ(window.stayedOpen, c.dialogStaysOpen);
  }
}

TEST(ClassSetFlow, APresetChosenInTheDialogSetsTheKindAndRangesAndConflictsAreNamed) {
  const SheetSettings form{ExerciseKind::Multiplication, 24, "5", "50", true, "2"};
  const SheetSettings preset = WithRules(form, PresetRules(*FindRulePreset("有余数的除法")));
  EXPECT_EQ(preset.kind, ExerciseKind::Division);
  EXPECT_EQ(preset.size, 24);
  EXPECT_EQ(preset.from, "10");
  EXPECT_EQ(preset.to, "89");
  EXPECT_FALSE(preset.decimals);
  EXPECT_EQ(preset.rules.remainder, 100);
  EXPECT_EQ(RulesConflict(preset), std::nullopt);

  SheetRules carry;
  carry.carry = 100;
  const SheetSettings plain = WithRules(form, carry);
  EXPECT_EQ(plain.kind, ExerciseKind::Multiplication) << "no preset: the form's kind";
  EXPECT_EQ(RulesConflict(plain), std::nullopt) << "no addition to carry";
  SheetSettings small{ExerciseKind::Addition, 18, "0", "4", false, "2"};
  small.rules = carry;
  ASSERT_TRUE(RulesConflict(small));
  EXPECT_EQ(RulesConflict(small)->text, "这些设置出不了进位的加法题（进位 100%）");
  EXPECT_EQ(RulesConflict(SheetSettings{}), std::nullopt) << "no rules, nothing to check";
}

// A rule the kind or the decimals rule out is named as the dialog offers it while it is chosen,
// and as the command line spells it when a set is run with it.
TEST(ClassSetFlow, ARuleRuledOutIsNamedByTheDialogsFieldOrByTheOption) {
  const auto with = [](std::optional<ExerciseKind> kind, bool decimals,
                       const std::function<void(SheetRules&)>& set) {
    SheetSettings settings{kind, 18, "1", "20", decimals, "1"};
    set(settings.rules);
    return settings;
  };
  const auto fraction = ExerciseKind::Fraction;
  const auto division = ExerciseKind::Division;
  const struct {
    SheetSettings settings;
    const char* dialog;
    const char* commandLine;
  } cases[] = {
      {with(fraction, false, [](SheetRules& r) { r.carry = 50; }),
       "分数题不能要求进位（进位选不限）", "分数题不能要求进位（--carry）"},
      {with(fraction, false, [](SheetRules& r) { r.borrow = 0; }),
       "分数题不能要求退位（退位选不限）", "分数题不能要求退位（--borrow）"},
      {with(fraction, false, [](SheetRules& r) { r.remainder = 100; }),
       "分数题不能要求余数（余数选不限）", "分数题不能要求余数（--remainder）"},
      {with(fraction, false, [](SheetRules& r) { r.blank = BlankPlace::Any; }),
       "分数题只能在得数处填空（填空位置选得数）", "分数题只能在得数处填空（--blank result）"},
      {with(division, true, [](SheetRules& r) { r.remainder = 30; }),
       "有小数时余数只能选不限或没有", "有小数时余数只能是不限或 0（--remainder any 或 0）"},
      {with(division, true, [](SheetRules& r) { r.blank = BlankPlace::First; }),
       "小数除法在数上填空需要除尽（余数选没有）",
       "小数除法在数上填空需要余数 0（--blank 与 --remainder 0）"},
      {with(ExerciseKind::Addition, false, [](SheetRules& r) { r.secondTo = "9"; }),
       "第二个数的范围要两头都给（第二个数从、第二个数到）",
       "第二个数的范围要两头都给（--second-from 与 --second-to）"},
      {with(ExerciseKind::Addition, false, [](SheetRules& r) { r.resultFrom = "十"; }),
       "结果的范围须是数（结果从、结果到）", "结果的范围须是数（--result-from、--result-to）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const std::optional<UserMessage> shown = RulesConflict(c.settings);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, c.dialog);
    std::shared_ptr<const RuledDraw> draw;
    const std::optional<UserMessage> run = SettingsRefusal(c.settings, draw);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->text, c.commandLine);
  }
}

TEST(ClassSetFlow, TheSummaryNamesTheKindSizeRangeAndPlaces) {
  SheetSettings settings{ExerciseKind::Division, 30, "1", "100", true, "2"};
  EXPECT_EQ(SettingsSummary(settings), "除法运算题，每份 30 题，1 到 100，2 位小数");
  settings.decimals = false;
  settings.kind = ExerciseKind::ChainAddSub;
  settings.size = 18;
  EXPECT_EQ(SettingsSummary(settings), "连续加减法运算题，每份 18 题，1 到 100");
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(IsSheetCode(RandomSheetCode()));
}

}  // namespace
}  // namespace kalkora
