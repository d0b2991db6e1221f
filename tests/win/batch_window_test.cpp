// The window side of a class set: the file names the batch dialog works with, and the
// progress window that appears for a set that takes a while and cancels it.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "ui/win32/batch_file.hpp"
#include "ui/win32/batch_progress.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;

struct ExtensionCase {
  const char* path;
  DocumentFormat format;
  const char* expected;
};

TEST(BatchFile, TheExtensionFollowsTheFormatAndPathsAreMadeAbsolute) {
  const ExtensionCase cases[] = {
      {"C:\\班级\\题卡.docx", DocumentFormat::Pdf, "C:\\班级\\题卡.pdf"},
      {"题卡.DOCX", DocumentFormat::Pdf, "题卡.pdf"},
      {"题卡.Pdf", DocumentFormat::Docx, "题卡.docx"},
      {"三年级", DocumentFormat::Docx, "三年级.docx"},
      {"notes.txt", DocumentFormat::Pdf, "notes.txt.pdf"},
      {"", DocumentFormat::Pdf, ""},
  };
  for (const ExtensionCase& item : cases) {
    EXPECT_EQ(WithFormatExtension(item.path, item.format), item.expected) << item.path;
  }
  EXPECT_EQ(win32::DefaultBatchPath("C:\\文档", {2026, 3, 9, 8, 0, 0}),
            "C:\\文档\\口算题卡-2026-03-09.docx");
  EXPECT_EQ(win32::AbsoluteIn("C:\\文档", "三年级\\.\\题卡.docx"), "C:\\文档\\三年级\\题卡.docx");
  EXPECT_EQ(win32::AbsoluteIn("C:\\文档", "D:\\题卡.docx"), "D:\\题卡.docx");
  EXPECT_EQ(BatchFiles("C:\\题卡.docx", true),
            (std::vector<std::string>{"C:\\题卡.docx", "C:\\题卡-答案.docx"}));
  EXPECT_EQ(BatchFiles("C:\\题卡.docx", false), std::vector<std::string>{"C:\\题卡.docx"});
}

// A set of many slow sheets: the progress window comes after a second, and its 取消 ends the
// set at the next sheet.
TEST(BatchProgress, AppearsAfterASecondAndCancelsTheSet) {
  std::chrono::steady_clock::duration appearedAfter{};
  const auto started = std::chrono::steady_clock::now();
  std::thread user([&] {
    HWND progress = nullptr;
    for (int i = 0; i < 500 && !(progress && IsWindowVisible(progress)); ++i) {
      std::this_thread::sleep_for(10ms);
      progress = FindWindowW(win32::kBatchProgressClass, nullptr);
    }
    appearedAfter = std::chrono::steady_clock::now() - started;
    if (progress) PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
  });
  int sheetsDone = 0;
  const BatchResult result = win32::WriteWithProgress(
      nullptr, GetModuleHandleW(nullptr), false, [&](const BatchProgress& progress) {
        for (int sheet = 1; sheet <= 500; ++sheet) {
          std::this_thread::sleep_for(20ms);
          sheetsDone = sheet;
          if (!progress(sheet, 500)) return BatchResult{BatchOutcome::Cancelled, {}, {}};
        }
        return BatchResult{BatchOutcome::Written, {}, {}};
      });
  user.join();

  EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
  EXPECT_GE(appearedAfter, 1s);
  EXPECT_LT(appearedAfter, 10s);  // a cold Wine takes a while to make its first window
  EXPECT_LT(sheetsDone, 500);
  EXPECT_EQ(FindWindowW(win32::kBatchProgressClass, nullptr), nullptr);
}

}  // namespace
}  // namespace kalkora
