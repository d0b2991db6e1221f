// The real kalkora.exe's 批量生成…, driven from another process by menu and control ids: a class
// set with its key read back and compared with what the core writes for their codes, the
// files opened through the shell's "open" verb, the PDF route through the Word stand-in (its
// calls and their order) or, before it, the PDF printer, and the offer of a .docx when nothing
// can make the PDF.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "batch_dialog_driver.hpp"
#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/base/form_names.hpp"
#include "core/base/system_clock.hpp"
#include "core/word/zip_reading.hpp"
#include "fakes/file_bytes.hpp"
#include "fakes/memory_controls.hpp"
#include "file_printer.hpp"
#include "kalkora_process.hpp"
#include "paint/win32/printer_pdf_writer.hpp"
#include "registry_setup.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/batch_memory.hpp"
#include "ui/win32/menu.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using testing::KalkoraProcess;
namespace fs = std::filesystem;

constexpr wchar_t kOpenerClass[] = L"KalkoraTest.Document";

std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string DocumentXml(const fs::path& docx) {
  return testing::EntryContents(testing::ReadZip(testing::FileBytes(docx)), "word/document.xml");
}

std::string Utf8(const fs::path& path) { return win32::ToUtf8(path.wstring()); }

bool SetDefaultValue(const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS set =
      RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return set == ERROR_SUCCESS;
}

class KalkoraBatch : public ::testing::Test {
 protected:
  // A folder for the set, the shell's "open" for .docx and .pdf leading to the recorder, and
  // no remembered choices of the dialog (in the test prefix's registry).
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, win32::kBatchMemoryKey);
    static int tests = 0;
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++tests);
    folder_ = fs::temp_directory_path() / ("kalkora-batch-" + tag);
    fs::create_directories(folder_);
    opened_ = fs::temp_directory_path() / ("kalkora-opened-" + tag + ".log");
    standInLog_ = fs::temp_directory_path() / ("kalkora-stand-in-batch-" + tag + ".log");
    const std::wstring opener = L"\"" + testing::HostPath(KALKORA_OPEN_RECORDER) + L"\" \"" +
                                opened_.wstring() + L"\" \"%1\"";
    ASSERT_TRUE(SetDefaultValue(L".docx", kOpenerClass) && SetDefaultValue(L".pdf", kOpenerClass) &&
                SetDefaultValue(std::wstring(kOpenerClass) + L"\\shell\\open\\command", opener));
    testing::UnregisterWordApplication();
  }
  void TearDown() override {
    for (const wchar_t* key : {L".docx", L".pdf", kOpenerClass})
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    testing::UnregisterWordApplication();
    RegDeleteTreeW(HKEY_CURRENT_USER, win32::kBatchMemoryKey);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::remove(opened_, ignored);
    fs::remove(standInLog_, ignored);
  }

  std::unique_ptr<KalkoraProcess> Start() {
    auto program = std::make_unique<KalkoraProcess>(testing::HostPath(KALKORA_EXE));
    EXPECT_TRUE(program->Started()) << "no main window";
    return program;
  }

  // 除法 on 24 problems, then 批量生成….
  static HWND OpenDialog(KalkoraProcess& program) {
    program.Click(form::选择框4);
    program.Click(form::单选框2);
    program.Command(win32::kMenuBatch);
    return program.WaitForWindow(win32::kBatchDialogClass, 20s);
  }
  static std::string Field(HWND dialog, int id) {
    return testing::WindowText(GetDlgItem(dialog, id));
  }
  static void SetField(HWND dialog, int id, const std::string& text) {
    const std::wstring wide = win32::ToUtf16(text);
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  static void ChoosePdf(HWND dialog) {
    const HWND format = GetDlgItem(dialog, win32::kBatchFormat);
    SendMessageW(format, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(win32::kBatchFormat, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(format));
  }
  static void Generate(HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }
  static std::string FormatItem(HWND dialog, WPARAM index) {
    wchar_t text[64] = {};
    SendMessageW(GetDlgItem(dialog, win32::kBatchFormat), CB_GETLBTEXT, index,
                 reinterpret_cast<LPARAM>(text));
    return win32::ToUtf8(text);
  }
  static LRESULT FormatChosen(HWND dialog) {
    return SendMessageW(GetDlgItem(dialog, win32::kBatchFormat), CB_GETCURSEL, 0, 0);
  }

  // Once the panel says so and the shell has opened `count` files: the files opened (each by
  // a process of its own, so in any order).
  std::set<std::string> WaitUntilWritten(KalkoraProcess& program, int sheets, std::size_t count) {
    const auto end = std::chrono::steady_clock::now() + 60s;
    const std::string written = "已生成 " + std::to_string(sheets) + " 份题卡";
    std::vector<std::string> opened;
    do {
      opened = Lines(opened_);
      if (program.PanelText(1) == written && opened.size() >= count) break;
      std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < end);
    EXPECT_EQ(program.PanelText(1), written);
    EXPECT_FALSE(program.MessageBoxShowing()) << program.MessageBoxShowing()->text;
    return {opened.begin(), opened.end()};
  }

  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.insert(win32::ToUtf8(entry.path().filename().wstring()));
    }
    return names;
  }

  fs::path folder_, opened_, standInLog_;
};

TEST_F(KalkoraBatch, WritesTheClassSetAndItsKeyAsTheCoreDoesAndOpensThem) {
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const LocalDateTime today = SystemClock().Now();
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";

  EXPECT_EQ(testing::WindowText(dialog), kBatchCaption);
  EXPECT_EQ(Field(dialog, win32::kBatchSettings), "除法运算题，每份 24 题，1 到 100");
  EXPECT_EQ(Field(dialog, win32::kBatchSheets), "1");
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, win32::kBatchAnswers), BM_GETCHECK, 0, 0), BST_CHECKED);
  char name[40];
  std::snprintf(name, sizeof name, "-%04d-%02d-%02d.docx", today.year, today.month, today.day);
  EXPECT_TRUE(Field(dialog, win32::kBatchFile).ends_with("\\口算题卡" + std::string(name)))
      << Field(dialog, win32::kBatchFile);

  const fs::path sheets = folder_ / fs::path(win32::ToUtf16("口算题卡-三年级.docx"));
  const fs::path key = folder_ / fs::path(win32::ToUtf16("口算题卡-三年级-答案.docx"));
  SetField(dialog, win32::kBatchSheets, "3");
  SetField(dialog, win32::kBatchFirstCode, "482913");
  SetField(dialog, win32::kBatchFile, Utf8(sheets));
  Generate(dialog);
  EXPECT_EQ(WaitUntilWritten(*program, 3, 2), (std::set<std::string>{Utf8(sheets), Utf8(key)}));
  EXPECT_EQ(Files(), (std::set<std::string>{"口算题卡-三年级.docx", "口算题卡-三年级-答案.docx"}));

  // The same set made by the core for these codes, the date and the settings.
  const fs::path core = folder_ / "core";
  fs::create_directories(core);
  SheetSettings settings;
  settings.kind = ExerciseKind::Division;
  settings.size = 24;
  const BatchRequest request{3, 482913, true, today, Utf8(core / "set.docx")};
  ASSERT_EQ(RunBatch(settings, request, nullptr, {}, [] { return 0; }).outcome,
            BatchOutcome::Written);
  const std::string sheetsXml = DocumentXml(sheets);
  EXPECT_EQ(sheetsXml, DocumentXml(core / "set.docx"));
  EXPECT_EQ(DocumentXml(key), DocumentXml(core / fs::path(win32::ToUtf16("set-答案.docx"))));
  for (const char* code : {"卷号 482913", "卷号 482914", "卷号 482915"}) {
    EXPECT_NE(sheetsXml.find(code), std::string::npos) << code;
  }
  EXPECT_EQ(program->Close(), 0u);
}

TEST_F(KalkoraBatch, PdfGoesThroughWordCallByCall) {
  std::ofstream(standInLog_).flush();  // the stand-in lives as long as its log
  ASSERT_TRUE(testing::RegisterWordApplication(testing::HostPath(KALKORA_STAND_IN_SERVER) +
                                               L" --log " + standInLog_.wstring()));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  EXPECT_EQ(FormatItem(dialog, 1), "PDF (.pdf)");
  EXPECT_EQ(Field(dialog, win32::kBatchFormatNote), "");
  ChoosePdf(dialog);
  EXPECT_EQ(FormatChosen(dialog), 1);
  EXPECT_TRUE(Field(dialog, win32::kBatchFile).ends_with(".pdf"));

  const fs::path sheets = folder_ / fs::path(win32::ToUtf16("口算题卡.pdf"));
  const fs::path key = folder_ / fs::path(win32::ToUtf16("口算题卡-答案.pdf"));
  SetField(dialog, win32::kBatchSheets, "2");
  SetField(dialog, win32::kBatchFile, Utf8(sheets));
  Generate(dialog);
  EXPECT_EQ(WaitUntilWritten(*program, 2, 2), (std::set<std::string>{Utf8(sheets), Utf8(key)}));
  EXPECT_EQ(Files(), (std::set<std::string>{"口算题卡.pdf", "口算题卡-答案.pdf"}));
  EXPECT_TRUE(testing::FileBytes(sheets).starts_with("%PDF-"));

  // Each file through its temporary .docx beside the target, the temporary names masked.
  const std::regex temporary(R"(\.kalkora-[0-9]+-[0-9a-f]+\.(pdf\.docx|pdf))");
  std::vector<std::string> calls;
  for (const std::string& line : Lines(standInLog_)) {
    calls.push_back(std::regex_replace(line, temporary, ".kalkora-#.$1"));
  }
  const std::string at = "(BSTR:" + Utf8(folder_) + "\\.kalkora-#.";
  const std::vector<std::string> conversion = {
      "Application.Documents",
      "Documents.Open" + at + "pdf.docx,BOOL:false,BOOL:true,BOOL:false,missing,missing,missing," +
          "missing,missing,missing,missing,BOOL:false)",
      "Document.ExportAsFixedFormat" + at + "pdf,I4:17)",
      "Document.Close(I4:0)",
      "Documents.Count",
      "Application.Quit(I4:0)",
  };
  std::vector<std::string> expected = conversion;
  expected.insert(expected.end(), conversion.begin(), conversion.end());
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(program->Close(), 0u);
}

// The PDF printer comes before Word: with both, the set is printed and Word is never called.
// The printer is the test prefix's file printer under the PDF printer's name; it prints
// PostScript.
TEST_F(KalkoraBatch, PdfGoesToThePdfPrinterBeforeWord) {
  const testing::FilePrinter printer(win32::kPdfPrinter);
  ASSERT_TRUE(printer.Installed());
  std::ofstream(standInLog_).flush();
  ASSERT_TRUE(testing::RegisterWordApplication(testing::HostPath(KALKORA_STAND_IN_SERVER) +
                                               L" --log " + standInLog_.wstring()));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  EXPECT_EQ(FormatItem(dialog, 1), "PDF (.pdf)");
  ChoosePdf(dialog);
  const fs::path sheets = folder_ / fs::path(win32::ToUtf16("口算题卡.pdf"));
  const fs::path key = folder_ / fs::path(win32::ToUtf16("口算题卡-答案.pdf"));
  SetField(dialog, win32::kBatchSheets, "2");
  SetField(dialog, win32::kBatchFile, Utf8(sheets));
  Generate(dialog);
  EXPECT_EQ(WaitUntilWritten(*program, 2, 2), (std::set<std::string>{Utf8(sheets), Utf8(key)}));
  EXPECT_EQ(Files(), (std::set<std::string>{"口算题卡.pdf", "口算题卡-答案.pdf"}));
  EXPECT_TRUE(testing::FileBytes(sheets).starts_with("%!PS-Adobe"));
  EXPECT_TRUE(testing::FileBytes(key).starts_with("%!PS-Adobe"));
  EXPECT_EQ(Lines(standInLog_), std::vector<std::string>{}) << "Word was called";
  EXPECT_EQ(program->Close(), 0u);
}

// Without a PDF printer or Word nothing makes a PDF: the dialog says so before 生成 and keeps
// the Word format.
TEST_F(KalkoraBatch, WithoutWordPdfIsShownUnavailableWithItsReason) {
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  EXPECT_EQ(FormatItem(dialog, 1), "PDF (.pdf)：不可用");
  EXPECT_EQ(Field(dialog, win32::kBatchFormatNote), "PDF 不可用：没有 PDF 打印机，也没有安装 Word");
  ChoosePdf(dialog);
  EXPECT_EQ(FormatChosen(dialog), 0);
  EXPECT_TRUE(Field(dialog, win32::kBatchFile).ends_with(".docx"));
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(program->Close(), 0u);
}

// A Word that fails to make the PDF leaves no file, and the set is offered as a .docx.
TEST_F(KalkoraBatch, WhenWordFailsThePdfIsOfferedAsADocx) {
  std::ofstream(standInLog_).flush();
  ASSERT_TRUE(testing::RegisterWordApplication(testing::HostPath(KALKORA_STAND_IN_SERVER) +
                                               L" --log " + standInLog_.wstring() +
                                               L" --fail ExportAsFixedFormat"));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  ChoosePdf(dialog);
  SetField(dialog, win32::kBatchFile, Utf8(folder_ / "set.pdf"));
  Generate(dialog);

  const auto offer = program->WaitForMessageBox(60s);
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->caption, kBatchCaption);
  EXPECT_EQ(offer->text, ConversionFailedMessage(Utf8(folder_ / "set.pdf")).text +
                             "\n\n要改为生成 Word 文档吗？");
  EXPECT_TRUE(Files().empty());
  KalkoraProcess::Answer(*offer, IDYES);
  EXPECT_EQ(WaitUntilWritten(*program, 1, 2),
            (std::set<std::string>{Utf8(folder_ / "set.docx"),
                                   Utf8(folder_ / fs::path(win32::ToUtf16("set-答案.docx")))}));
  EXPECT_EQ(Files(), (std::set<std::string>{"set.docx", "set-答案.docx"}));
  EXPECT_EQ(program->Close(), 0u);
}

// A count typed past the limit stays as typed, and 生成 says what the limit is.
TEST_F(KalkoraBatch, ACountTypedPastTheLimitIsRefusedWithTheLimit) {
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  EXPECT_EQ(Field(dialog, win32::kBatchMostSheets), "最多 500 份");
  const HWND sheets = GetDlgItem(dialog, win32::kBatchSheets);
  SendMessageW(sheets, EM_SETSEL, 0, -1);
  for (const wchar_t digit : std::wstring(L"100000")) SendMessageW(sheets, WM_CHAR, digit, 1);
  EXPECT_EQ(Field(dialog, win32::kBatchSheets), "100000");
  SetField(dialog, win32::kBatchFile, Utf8(folder_ / "set.docx"));
  Generate(dialog);
  const auto refusal = program->WaitForMessageBox(30s);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text, SheetCountMessage().text);
  KalkoraProcess::Dismiss(*refusal);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
  EXPECT_EQ(Field(dialog, win32::kBatchSheets), "100000");
  EXPECT_TRUE(Files().empty());
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(program->Close(), 0u);
}

// A preset chosen in 题目要求 sets the set's kind and range, and the key says its rules, a
// share changed after it among them.
TEST_F(KalkoraBatch, APresetChosenInTheDialogMakesTheSetOfItsKind) {
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND window = OpenDialog(*program);
  ASSERT_NE(window, nullptr) << "no batch dialog";
  const testing::BatchDialogDriver dialog(window);
  dialog.ChoosePreset("20以内退位减法");
  EXPECT_EQ(dialog.Text(win32::kBatchSecondFrom), "2");
  EXPECT_EQ(dialog.Text(win32::kBatchSecondTo), "9");
  EXPECT_EQ(dialog.Picked(win32::kBatchBorrow), "全部");
  dialog.Pick(win32::kBatchBorrow, "比例 50%");
  dialog.Redraw();
  EXPECT_EQ(dialog.Text(win32::kBatchSettings), "减法运算题，每份 24 题，11 到 18");
  EXPECT_EQ(dialog.Text(win32::kBatchPreview), "") << "the preview shows the first sheet";

  const fs::path sheets = folder_ / fs::path(win32::ToUtf16("三班.docx"));
  const fs::path key = folder_ / fs::path(win32::ToUtf16("三班-答案.docx"));
  dialog.Type(win32::kBatchSheets, "2");
  dialog.Type(win32::kBatchFirstCode, "482913");
  dialog.Type(win32::kBatchFile, Utf8(sheets));
  dialog.Generate();
  EXPECT_EQ(WaitUntilWritten(*program, 2, 2), (std::set<std::string>{Utf8(sheets), Utf8(key)}));
  const std::string sheetsXml = DocumentXml(sheets);
  EXPECT_NE(sheetsXml.find("减法运算题"), std::string::npos);
  EXPECT_EQ(sheetsXml.find("除法运算题"), std::string::npos) << "the form's kind gives way";
  EXPECT_NE(sheetsXml.find("卷号 482914"), std::string::npos) << "the second sheet";
  EXPECT_NE(DocumentXml(key).find("20以内退位减法：第二个数 2～9，退位 50%"), std::string::npos);
  EXPECT_EQ(program->Close(), 0u);
}

// 生成 keeps count, key, format, folder and code in HKCU\Software\Kalkora; the dialog of the
// next start opens with them, the file named for the day in that folder.
TEST_F(KalkoraBatch, TheDialogOfTheNextStartOpensWithTheLastChoices) {
  std::ofstream(standInLog_).flush();
  ASSERT_TRUE(testing::RegisterWordApplication(testing::HostPath(KALKORA_STAND_IN_SERVER) +
                                               L" --log " + standInLog_.wstring()));
  const fs::path sets = folder_ / fs::path(win32::ToUtf16("三班"));
  fs::create_directories(sets);
  {
    auto program = Start();
    ASSERT_TRUE(program->Started());
    const HWND dialog = OpenDialog(*program);
    ASSERT_NE(dialog, nullptr) << "no batch dialog";
    ChoosePdf(dialog);
    SendMessageW(GetDlgItem(dialog, win32::kBatchAnswers), BM_SETCHECK, BST_UNCHECKED, 0);
    SetField(dialog, win32::kBatchSheets, "2");
    SetField(dialog, win32::kBatchFirstCode, "482913");
    SetField(dialog, win32::kBatchFile, Utf8(sets / fs::path(win32::ToUtf16("周一.pdf"))));
    Generate(dialog);
    EXPECT_EQ(WaitUntilWritten(*program, 2, 1).size(), 1u);
    EXPECT_EQ(program->Close(), 0u);
  }
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const HWND dialog = OpenDialog(*program);
  ASSERT_NE(dialog, nullptr) << "no batch dialog";
  const LocalDateTime today = SystemClock().Now();
  char name[40];
  std::snprintf(name, sizeof name, "口算题卡-%04d-%02d-%02d.pdf", today.year, today.month,
                today.day);
  EXPECT_EQ(Field(dialog, win32::kBatchSheets), "2");
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, win32::kBatchAnswers), BM_GETCHECK, 0, 0),
            BST_UNCHECKED);
  EXPECT_EQ(FormatChosen(dialog), 1);
  EXPECT_EQ(Field(dialog, win32::kBatchFile), Utf8(sets) + "\\" + name);
  EXPECT_EQ(Field(dialog, win32::kBatchFirstCode), "482913");
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_EQ(program->Close(), 0u);
}

}  // namespace
}  // namespace kalkora
