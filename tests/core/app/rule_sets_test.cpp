#include <gtest/gtest.h>

#include <filesystem>

#include "core/app/batch_command.hpp"
#include "core/app/pending_file.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/file_bytes.hpp"
#include "fakes/temporary_folder.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

class RuleSetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    request.date = {2026, 12, 9, 8, 30, 0};
    request.sheets = 3;
    request.firstCode = 482913;
    request.answers = true;
    request.outputPath = Utf8FromPath(folder / PathFromUtf8("题卡.docx"));
  }

  BatchResult Run() {
    return RunBatch(settings, request, nullptr, {}, [] { return 100000; });
  }
  std::string Xml(const std::string& name) const {
    return testing::EntryContents(testing::ReadZip(testing::FileBytes(folder / PathFromUtf8(name))),
                                  "word/document.xml");
  }

  testing::TemporaryFolder scratch{"kalkora-rules-"};
  const fs::path folder = scratch.Path();
  SheetSettings settings;
  BatchRequest request;
};

TEST_F(RuleSetsTest, SettingsThatCannotBeMetAreRefusedAndNothingIsWritten) {
  settings.from = "0";
  settings.to = "1";
  settings.rules.distinct = true;
  const BatchResult result = Run();
  EXPECT_EQ(result.outcome, BatchOutcome::Refused);
  EXPECT_EQ(BatchExitCode(result.outcome), 2);
  EXPECT_NE(result.message.text.find("这些设置只能出 4 道不同的加法题，少于每份的 18 道"),
            std::string::npos)
      << result.message.text;
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(RuleSetsTest, TheKeyOfASetMadeUnderRulesSaysTheRulesAndShowsWhatFillsEachBlank) {
  const RulePreset& preset = *FindRulePreset("20以内填空");
  settings.kind = preset.kind;
  settings.from = std::string(preset.from);
  settings.to = std::string(preset.to);
  settings.rules = PresetRules(preset);
  const BatchResult result = Run();
  ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
  const std::string sheets = Xml("题卡.docx");
  const std::string key = Xml("题卡-答案.docx");
  const std::string words = "20以内填空：第二个数 0～20，结果 0～20，填空 随机，不重复";
  EXPECT_EQ(sheets.find(words), std::string::npos) << "the pupils' pages keep their look";
  std::size_t lines = 0;
  for (std::size_t at = key.find(words); at != std::string::npos; at = key.find(words, at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 3u);
  EXPECT_NE(sheets.find("（　　）"), std::string::npos);
}

}  // namespace
}  // namespace kalkora
