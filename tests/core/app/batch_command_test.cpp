#include "core/app/batch_command.hpp"
#include "fakes/file_bytes.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/base/form_names.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/fake_document_converter.hpp"
#include "fakes/recording.hpp"
#include "fakes/settings_controls.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;
using testing::FakeDocumentConverter;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::string DocumentXml(const std::string& docxBytes) {
  return testing::EntryContents(testing::ReadZip(docxBytes), "word/document.xml");
}

class BatchCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() / ("kalkora-batch-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    request.date = {2026, 12, 9, 8, 30, 0};
    request.outputPath = Utf8FromPath(In("口算题卡.docx"));
  }
  void TearDown() override { fs::remove_all(folder); }

  BatchResult Run(DocumentConverter* converter = nullptr,
                  std::function<bool(int, int)> progress = {}) {
    return RunBatch(settings, request, converter, progress, [this] {
      ++randomCodes;
      return 654321;
    });
  }
  // A file in the test folder; names are UTF-8, as the program's own paths are.
  fs::path In(const std::string& name) const { return folder / PathFromUtf8(name); }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(Utf8FromPath(entry.path().filename()));
    }
    return names;
  }

  fs::path folder;
  SheetSettings settings;
  BatchRequest request;
  int randomCodes = 0;
};

TEST_F(BatchCommandTest, WritesTheSheetsAndTheirKeyAsTwoDocumentsWithTheCodesOnTheDateLines) {
  request.sheets = 3;
  request.firstCode = 999998;
  request.answers = true;
  const BatchResult result = Run();
  ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
  const std::string key = Utf8FromPath(In("口算题卡-答案.docx"));
  EXPECT_EQ(result.files, (std::vector<std::string>{request.outputPath, key}));
  EXPECT_EQ(Files(), (std::set<std::string>{"口算题卡.docx", "口算题卡-答案.docx"}));
  const std::string sheets = DocumentXml(testing::FileBytes(PathFromUtf8(request.outputPath)));
  const std::string answers = DocumentXml(testing::FileBytes(PathFromUtf8(key)));
  for (const char* code : {"卷号 999998", "卷号 999999", "卷号 100000"}) {
    EXPECT_EQ(Count(sheets, code), 1u) << code;
    EXPECT_EQ(Count(answers, code), 1u) << code;
  }
  EXPECT_EQ(Count(sheets, "<w:pageBreakBefore/>"), 2u);
  EXPECT_EQ(Count(sheets, "  加法运算题"), 3u);
  EXPECT_EQ(Count(answers, "  加法运算题答案"), 3u);
  EXPECT_EQ(randomCodes, 0);
}

TEST_F(BatchCommandTest, ReplacesAnExistingFileAndTakesARandomCodeWhenNoneIsGiven) {
  std::ofstream(PathFromUtf8(request.outputPath)) << "an older file";
  const BatchResult result = Run();
  ASSERT_EQ(result.outcome, BatchOutcome::Written);
  EXPECT_EQ(randomCodes, 1);
  EXPECT_EQ(Count(DocumentXml(testing::FileBytes(PathFromUtf8(request.outputPath))), "卷号 654321"),
            1u);
  EXPECT_EQ(Files(), std::set<std::string>{"口算题卡.docx"}) << "no key unless asked for";
}

TEST_F(BatchCommandTest, ConvertsEachDocumentThroughATemporaryDocxThatIsThenRemoved) {
  request.answers = true;
  request.outputPath = Utf8FromPath(In("set.PDF"));
  FakeDocumentConverter converter;
  const BatchResult result = Run(&converter);
  ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
  EXPECT_EQ(Files(), (std::set<std::string>{"set.PDF", "set-答案.PDF"}));
  ASSERT_EQ(converter.calls.size(), 2u);
  for (const auto& call : converter.calls) {
    EXPECT_EQ(PathFromUtf8(call.docxPath).parent_path(), folder);
    EXPECT_EQ(PathFromUtf8(call.docxPath).extension(), ".docx");
    EXPECT_NE(DocumentXml(call.docxBytes).find("卷号 654321"), std::string::npos);
  }
  EXPECT_EQ(testing::FileBytes(In("set.PDF")), "%PDF-" + converter.calls[0].docxBytes);
}

// Whatever stops a run leaves the folder as it was: the older file untouched, nothing new,
// no temporary file.
TEST_F(BatchCommandTest, FailuresAndCancelLeaveNoFileBehind) {
  std::ofstream(In("older.pdf")) << "older";
  request.answers = true;
  request.sheets = 5;
  const std::set<std::string> before = Files();

  int calls = 0;
  BatchResult result = Run(nullptr, [&](int done, int total) {
    EXPECT_EQ(done, ++calls);
    EXPECT_EQ(total, 5);
    return done < 2;
  });
  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Files(), before);

  request.outputPath = Utf8FromPath(In("older.pdf"));
  result = Run(nullptr);
  EXPECT_EQ(result.outcome, BatchOutcome::NoConverter);
  EXPECT_EQ(result.message, NoConverterMessage());
  for (auto behaviour : {FakeDocumentConverter::Behaviour::Fail,
                         FakeDocumentConverter::Behaviour::FailLeavingAPartialFile}) {
    FakeDocumentConverter converter;
    converter.behaviour = behaviour;
    result = Run(&converter);
    EXPECT_EQ(result.outcome, BatchOutcome::NoConverter);
    EXPECT_EQ(result.message, ConversionFailedMessage(request.outputPath));
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(testing::FileBytes(In("older.pdf")), "older");
  }

  fs::create_directory(In("older-答案.pdf"));  // the key cannot replace a folder
  FakeDocumentConverter converter;
  result = Run(&converter);
  EXPECT_EQ(result.outcome, BatchOutcome::NotWritten);
  EXPECT_TRUE(result.files.empty());
  EXPECT_EQ(testing::FileBytes(In("older.pdf")), "older");
  fs::remove(In("older-答案.pdf"));

  std::ofstream(In("plain")) << "a file, not a folder";
  request.outputPath = Utf8FromPath(In("plain") / "set.docx");
  result = Run();
  EXPECT_EQ(result.outcome, BatchOutcome::NotWritten);
  EXPECT_NE(result.message.text.find("plain"), std::string::npos) << result.message.text;
  EXPECT_EQ(Files(), (std::set<std::string>{"older.pdf", "plain"}));
}

TEST_F(BatchCommandTest, RefusedSettingsAndUnusableRequestsWriteNothing) {
  settings.decimals = true;
  settings.places = "";
  BatchResult result = Run();
  EXPECT_EQ(result.outcome, BatchOutcome::Refused);
  EXPECT_EQ(result.message, (UserMessage{"没有输入生成 几位小数点！", "提示： "}));

  settings.decimals = false;
  settings.places = "2";
  const struct {
    int sheets;
    std::optional<int> code;
    const char* file;
    LocalDateTime date;
    UserMessage message;
  } cases[] = {
      {0, {}, "a.docx", {2026, 12, 9}, SheetCountMessage()},
      {501, {}, "a.docx", {2026, 12, 9}, SheetCountMessage()},
      {1, 99999, "a.docx", {2026, 12, 9}, SheetCodeMessage()},
      {1, 1000000, "a.docx", {2026, 12, 9}, SheetCodeMessage()},
      {1, {}, "a.txt", {2026, 12, 9}, FileTypeMessage(Utf8FromPath(In("a.txt")))},
      {1, {}, "a", {2026, 12, 9}, FileTypeMessage(Utf8FromPath(In("a")))},
      {1, {}, "a.docx", {2026, 2, 30}, DateMessage()},
  };
  for (const auto& c : cases) {
    request.sheets = c.sheets;
    request.firstCode = c.code;
    request.outputPath = Utf8FromPath(In(c.file));
    request.date = c.date;
    result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::UsageError) << c.file;
    EXPECT_EQ(result.message, c.message);
  }
  settings.size = 0;
  request = {};
  request.date = {2026, 12, 9};
  request.outputPath = Utf8FromPath(In("a.docx"));
  EXPECT_EQ(Run().message, NoSheetSizeMessage());
  EXPECT_TRUE(Files().empty());
}

TEST(BatchCommand, TheKeyStandsBesideTheFileAndEachOutcomeHasItsExitCode) {
  EXPECT_EQ(AnswerKeyPath("/tmp/口算题卡-2026-12-09.docx"), "/tmp/口算题卡-2026-12-09-答案.docx");
  EXPECT_EQ(AnswerKeyPath("set.v2.PDF"), "set.v2-答案.PDF");
  EXPECT_EQ(FormatOfPath("x.Docx"), DocumentFormat::Docx);
  EXPECT_EQ(FormatOfPath("x.pdf"), DocumentFormat::Pdf);
  EXPECT_EQ(FormatOfPath(".docx"), std::nullopt);
  EXPECT_EQ(BatchExitCode(BatchOutcome::Written), 0);
  EXPECT_EQ(BatchExitCode(BatchOutcome::Refused), 2);
  EXPECT_EQ(BatchExitCode(BatchOutcome::UsageError), 2);
  EXPECT_EQ(BatchExitCode(BatchOutcome::NotWritten), 3);
  EXPECT_EQ(BatchExitCode(BatchOutcome::NoConverter), 4);
}

// What a window shows once a run has ended: the panel after a written set, the message after
// a failure, nothing after a cancel or a declined offer.
TEST(ReportBatchResult, WritesThePanelOrGivesTheFailureToShow) {
  struct Case {
    BatchOutcome outcome;
    bool written;
    bool shown;
  };
  const Case cases[] = {
      {BatchOutcome::Written, true, false},      {BatchOutcome::Cancelled, false, false},
      {BatchOutcome::NoConverter, false, false}, {BatchOutcome::Refused, false, true},
      {BatchOutcome::UsageError, false, true},   {BatchOutcome::NotWritten, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.outcome));
    testing::SettingsControls controls;
    const BatchResult result{c.outcome, CancelledMessage(), {}};
    const std::string untouched = controls.Panel(1);
    const std::optional<UserMessage> shown = ReportBatchResult(result, 40, controls);
    EXPECT_EQ(controls.Panel(1), c.written ? "已生成 40 份题卡" : untouched);
    EXPECT_EQ(shown, c.shown ? std::optional{result.message} : std::nullopt);
  }
}

}  // namespace
}  // namespace kalkora
