#include "core/app/batch_preview.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/generate/rule_presets.hpp"
#include "fakes/fake_pdf_writer.hpp"
#include "fakes/temporary_folder.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

// Every text of a page with its role and place, to compare two pages.
std::string Texts(const PageLayout& page) {
  std::string texts;
  for (const PageText& text : page.texts) {
    texts += std::to_string(static_cast<int>(text.role)) + "@" + std::to_string(text.box.x) + "," +
             std::to_string(text.box.y) + " " + text.text + "\n";
  }
  return texts;
}

const BatchDialogInput kInput{
    {ExerciseKind::Addition, 24, "1", "100", false, "2"}, {2026, 12, 10, 9, 30, 0}, true, 654321};

BatchChoice Choice(std::optional<int> code) { return {2, true, "", code}; }

// The preview and the written set go different ways from the choice to their pages: the
// preview must show what 生成 writes, sheet and key alike.
TEST(BatchPreview, ShowsTheFirstPagesThatTheSetWrites) {
  const testing::TemporaryFolder folder("kalkora-preview-");
  struct Case {
    const char* name;
    BatchChoice choice;
  };
  BatchChoice titled = Choice(482913);
  titled.title = "三年级口算";
  titled.nameLine = true;
  BatchChoice preset = Choice(100007);
  preset.rules = PresetRules(*FindRulePreset("有余数的除法"));
  BatchChoice blanks = Choice(999999);
  blanks.rules.blank = BlankPlace::Any;
  blanks.rules.distinct = true;
  const Case cases[] = {{"no code: the random one the run will take", Choice(std::nullopt)},
                        {"a code, a title and the name line", titled},
                        {"a preset's kind, ranges and rules", preset},
                        {"blanks anywhere, no repeats", blanks}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BatchChoice choice = c.choice;
    choice.path = Utf8FromPath(folder.Path() / "set.pdf");
    testing::FakePdfWriter pdf;
    const BatchRequest request{choice.sheets, choice.firstCode, choice.answers, kInput.today,
                               choice.path,   choice.title,     choice.nameLine};
    const BatchResult written = RunBatch(WithRules(kInput.form, choice.rules), request, &pdf,
                                         nullptr, [] { return kInput.randomCode; });
    ASSERT_EQ(written.outcome, BatchOutcome::Written) << written.message.text;
    ASSERT_EQ(pdf.calls.size(), 2u);
    for (const bool key : {false, true}) {
      const BatchPreview preview = PreviewBatch(kInput, choice, key);
      ASSERT_TRUE(preview.page) << preview.refusal.text;
      EXPECT_EQ(Texts(*preview.page), Texts(LayOutPage(pdf.calls[key].pages.front())));
    }
  }
}

TEST(BatchPreview, ShowsWhatAGenerateWouldRefuseInsteadOfAPage) {
  struct Case {
    const char* name;
    BatchDialogInput input;
    BatchChoice choice;
    UserMessage refusal;
  };
  BatchDialogInput noKind = kInput;
  noKind.form.kind.reset();
  BatchChoice longTitle = Choice(482913);
  longTitle.title = std::string(static_cast<std::size_t>(3 * (TitleLimit() + 1)), 'x');
  BatchChoice carryInTwo = Choice(482913);
  carryInTwo.rules.carry = 100;
  BatchDialogInput small = kInput;
  small.form.to = "4";
  const Case cases[] = {
      {"the form's settings",
       noKind,
       Choice(482913),
       {"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： "}},
      {"rules that cannot be met",
       small,
       carryInTwo,
       {"这些设置出不了进位的加法题（进位 100%）", "提示："}},
      {"a code outside 100000-999999", kInput, Choice(99999), SheetCodeMessage()},
      {"a title too long for its line", kInput, longTitle, TitleMessage(TitleLimit())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchPreview preview = PreviewBatch(c.input, c.choice, false);
    EXPECT_FALSE(preview.page);
    EXPECT_EQ(preview.refusal.text, c.refusal.text);
    EXPECT_EQ(preview.refusal.caption, c.refusal.caption);
  }
}

}  // namespace
}  // namespace kalkora
