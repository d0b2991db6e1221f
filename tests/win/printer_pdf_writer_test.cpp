// PDF through a printer, under Wine: Wine has no PDF printer, so the writer must fail cleanly
// there, and a printer of the test prefix that prints to files (PostScript) stands in for it
// to run whole class sets through the real job: A4 pages, one a page, counted as they are
// drawn, and a cancel that leaves nothing behind.
#include "paint/win32/printer_pdf_writer.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/generate/sheet.hpp"
#include "core/word/sheet_pages.hpp"
#include "fakes/file_bytes.hpp"
#include "file_printer.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kFilePrinter[] = L"Kalkora Test Printer";

std::vector<DocumentPage> Sheets(int count) {
  SheetSettings settings;
  settings.size = 24;
  std::vector<DocumentPage> pages;
  for (int i = 0; i < count; ++i) {
    pages.push_back(WorksheetPage(MakeSheet(settings, 300000 + i, {2026, 12, 9, 8, 30, 0})));
  }
  return pages;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class PrinterPdfWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              fs::path(win32::ToUtf16("kalkora-打印-" + std::to_string(std::random_device{}())));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string In(const std::string& name) const {
    return win32::ToUtf8((folder_ / fs::path(win32::ToUtf16(name))).wstring());
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      files.push_back(win32::ToUtf8(entry.path().filename().wstring()));
    }
    return files;
  }

  // Three sheets of 24 additions and their key, through `writer`; `progress` as RunBatch's.
  BatchResult RunSet(PdfWriter& writer, const std::function<bool(int, int)>& progress) {
    SheetSettings settings;
    settings.size = 24;
    BatchRequest request;
    request.sheets = 3;
    request.firstCode = 482913;
    request.answers = true;
    request.date = {2026, 12, 9, 8, 30, 0};
    request.outputPath = In("三年级.pdf");
    return RunBatch(settings, request, &writer, progress, [] { return 100000; });
  }

  fs::path folder_;
};

TEST_F(PrinterPdfWriterTest, WithoutThePrinterNothingIsWrittenAndNoPageIsCounted) {
  ASSERT_FALSE(win32::PdfPrinterInstalled()) << "Wine has no PDF printer";
  int counted = 0;
  const auto count = [&counted] { return ++counted > 0; };
  for (const std::wstring& name : {std::wstring(win32::kPdfPrinter), std::wstring(kFilePrinter)}) {
    EXPECT_FALSE(win32::PrinterPdfWriter(name).WritePdf(Sheets(2), In("题卡.pdf"), count));
  }
  EXPECT_EQ(counted, 0);
  win32::PrinterPdfWriter writer;
  const BatchResult result = RunSet(writer, nullptr);
  EXPECT_EQ(result.outcome, BatchOutcome::NoConverter);
  EXPECT_EQ(Files(), std::vector<std::string>{}) << "no file, not even a temporary one";
}

TEST_F(PrinterPdfWriterTest, AClassSetIsPrintedOnA4APageAtATimeAndCountedAsItIsDrawn) {
  const testing::FilePrinter printer(kFilePrinter);
  ASSERT_TRUE(printer.Installed());
  EXPECT_FALSE(win32::PdfPrinterInstalled()) << "only a printer of that name is the PDF printer";
  win32::PrinterPdfWriter writer(kFilePrinter);
  std::vector<std::pair<int, int>> steps;
  const BatchResult result = RunSet(writer, [&steps](int done, int total) {
    steps.emplace_back(done, total);
    return true;
  });
  ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
  EXPECT_EQ(result.files, (std::vector<std::string>{In("三年级.pdf"), In("三年级-答案.pdf")}));
  std::vector<std::pair<int, int>> drawn;
  for (const auto& step : steps) {
    if (step.first > 0) drawn.push_back(step);
  }
  EXPECT_EQ(drawn,
            (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));
  for (const std::string& file : result.files) {
    SCOPED_TRACE(file);
    const std::string printed = testing::FileBytes(fs::path(win32::ToUtf16(file)));
    EXPECT_TRUE(printed.starts_with("%!PS-Adobe"));
    EXPECT_EQ(Count(printed, "\n%%Page: "), 3u);
    // The printer's own paper is Letter: A4 portrait comes from the job's settings.
    EXPECT_NE(printed.find("media=A4"), std::string::npos);
    EXPECT_NE(printed.find("%%Orientation: Portrait"), std::string::npos);
  }
  EXPECT_EQ(Files().size(), 2u) << "nothing beside the two files";
}

TEST_F(PrinterPdfWriterTest, ACancelAbortsTheJobAndLeavesNoFile) {
  const testing::FilePrinter printer(kFilePrinter);
  ASSERT_TRUE(printer.Installed());
  win32::PrinterPdfWriter writer(kFilePrinter);
  int counted = 0;
  EXPECT_FALSE(writer.WritePdf(Sheets(4), In("题卡.pdf"), [&counted] { return ++counted < 2; }));
  EXPECT_EQ(counted, 2) << "no page drawn after the cancel";
  EXPECT_EQ(Files(), std::vector<std::string>{}) << "the aborted job's file is removed";

  const BatchResult result = RunSet(writer, [](int done, int) { return done < 4; });
  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_EQ(Files(), std::vector<std::string>{}) << "neither file nor a temporary one";
}

}  // namespace
}  // namespace kalkora
