#include "core/app/batch_command.hpp"
#include "fakes/file_bytes.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/base/form_names.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/fake_pdf_writer.hpp"
#include "fakes/recording.hpp"
#include "fakes/settings_controls.hpp"
#include "fakes/temporary_folder.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;
using testing::FakePdfWriter;

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
    request.date = {2026, 12, 9, 8, 30, 0};
    request.outputPath = Utf8FromPath(In("口算题卡.docx"));
  }

  BatchResult Run(PdfWriter* converter = nullptr, std::function<bool(int, int)> progress = {}) {
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

  testing::TemporaryFolder scratch{"kalkora-batch-"};
  const fs::path folder = scratch.Path();
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

TEST_F(BatchCommandTest, WritesEachPdfThroughAFileBesideItsTargetCountingItsPages) {
  request.answers = true;
  request.sheets = 2;
  request.title = "期末复习";
  request.nameLine = true;
  request.outputPath = Utf8FromPath(In("set.PDF"));
  FakePdfWriter writer;
  std::vector<int> counted;
  const BatchResult result = Run(&writer, [&](int done, int total) {
    EXPECT_EQ(total, 4);
    counted.push_back(done);
    return true;
  });
  ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
  EXPECT_EQ(Files(), (std::set<std::string>{"set.PDF", "set-答案.PDF"}));
  EXPECT_EQ(counted, (std::vector<int>{0, 0, 1, 2, 3, 4})) << "made, then drawn";
  ASSERT_EQ(writer.calls.size(), 2u);
  for (const auto& call : writer.calls) {
    EXPECT_EQ(PathFromUtf8(call.pdfPath).parent_path(), folder);
    EXPECT_EQ(PathFromUtf8(call.pdfPath).extension(), ".pdf");
    ASSERT_EQ(call.pages.size(), 2u);
    for (const DocumentPage& page : call.pages) {
      EXPECT_EQ(page.title, "期末复习");
      EXPECT_EQ(page.underHeading, std::vector<std::string>{"班级＿＿＿＿　姓名＿＿＿＿"});
    }
  }
  EXPECT_TRUE(writer.calls[0].pages[0].answers.empty());
  EXPECT_EQ(writer.calls[1].pages[0].cells, writer.calls[0].pages[0].cells);
  EXPECT_EQ(writer.calls[1].pages[0].answers.size(), 18u);
  EXPECT_EQ(writer.calls[0].pages[1].dateLine, "2026年12月9日    卷号 654322");
  std::string firstCells;
  for (const std::string& cell : writer.calls[0].pages[0].cells) firstCells += cell + '\t';
  EXPECT_EQ(testing::FileBytes(In("set.PDF")).substr(0, 5 + firstCells.size()),
            "%PDF-" + firstCells);
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
    EXPECT_EQ(total, 10);
    return done < 2;
  });
  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_EQ(result.message, CancelledMessage());
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Files(), before);

  // A PDF cancelled at its very last page: neither file is written.
  request.outputPath = Utf8FromPath(In("new.pdf"));
  FakePdfWriter lastPage;
  result = Run(&lastPage, [](int done, int total) { return done < total; });
  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_EQ(lastPage.calls.size(), 2u);
  EXPECT_EQ(Files(), before);

  request.outputPath = Utf8FromPath(In("older.pdf"));
  result = Run(nullptr);
  EXPECT_EQ(result.outcome, BatchOutcome::NoConverter);
  EXPECT_EQ(result.message, NoConverterMessage());
  for (auto behaviour :
       {FakePdfWriter::Behaviour::Fail, FakePdfWriter::Behaviour::FailLeavingAPartialFile}) {
    FakePdfWriter converter;
    converter.behaviour = behaviour;
    result = Run(&converter);
    EXPECT_EQ(result.outcome, BatchOutcome::NoConverter);
    EXPECT_EQ(result.message, ConversionFailedMessage(request.outputPath));
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(testing::FileBytes(In("older.pdf")), "older");
  }

  fs::create_directory(In("older-答案.pdf"));  // the key cannot replace a folder
  FakePdfWriter converter;
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
  request.sheets = 1;
  request.date = {2026, 12, 9};
  request.title = "一二三四五六七八九十一二三四五六七八九";  // 19, one too many
  result = Run();
  EXPECT_EQ(result.outcome, BatchOutcome::UsageError);
  EXPECT_EQ(result.message, TitleMessage(18));
  EXPECT_NE(result.message.text.find("18"), std::string::npos);
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
// a failure or a cancel (that nothing was written), nothing after a declined offer.
TEST(ReportBatchResult, WritesThePanelOrGivesTheFailureToShow) {
  struct Case {
    BatchOutcome outcome;
    bool written;
    bool shown;
  };
  const Case cases[] = {
      {BatchOutcome::Written, true, false},      {BatchOutcome::Cancelled, false, true},
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
