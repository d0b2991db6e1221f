// The built kalkora-sheets.exe run as a process under Wine, with the command-line test's cases:
// exit codes, the messages on its standard error (UTF-8 bytes, as it is redirected to a file),
// and the files it writes, byte for byte the core's for the same arguments. File names hold
// Chinese text, so they must reach Windows as UTF-16.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/sheets_command_line.hpp"
#include "core/base/system_clock.hpp"
#include "e2e/registry_setup.hpp"
#include "fakes/file_bytes.hpp"
#include "file_printer.hpp"
#include "paint/win32/printer_pdf_writer.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
  std::string err;
};

// One command-line argument, quoted the way CommandLineToArgvW reads it back.
std::wstring Quoted(const std::string& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : win32::ToUtf16(argument)) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE InheritableFile(const fs::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class SheetsExeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string tag = std::to_string(std::random_device{}());
    folder = fs::temp_directory_path() / fs::path(win32::ToUtf16("kalkora-命令行-" + tag));
    output = fs::temp_directory_path() / ("kalkora-sheets-output-" + tag);
    fs::create_directories(folder);
    fs::create_directories(output);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::remove_all(output, ignored);
  }

  Outcome Start(const std::vector<std::string>& arguments) {
    // Files of their own for every run: Wine's console host may still hold the last ones.
    const std::string run = std::to_string(++runs_);
    const fs::path out = output / ("stdout-" + run), err = output / ("stderr-" + run);
    std::string program = "Z:" KALKORA_SHEETS_EXE;  // Wine's drive for the build machine's root
    std::replace(program.begin(), program.end(), '/', '\\');
    std::wstring commandLine = Quoted(program);
    for (const std::string& argument : arguments) commandLine += L" " + Quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = InheritableFile(out);
    startup.hStdError = InheritableFile(err);
    PROCESS_INFORMATION process{};
    Outcome outcome;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
      WaitForSingleObject(process.hProcess, 120000);
      GetExitCodeProcess(process.hProcess, &outcome.exitCode);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    outcome.out = testing::FileBytes(out);
    outcome.err = testing::FileBytes(err);
    return outcome;
  }
  std::string In(const std::string& name) const {
    return win32::ToUtf8((folder / fs::path(win32::ToUtf16(name))).wstring());
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  fs::path folder;
  fs::path output;  // the program's standard output and error
  int runs_ = 0;
};

const std::string kUsage =
    "用法：kalkora-sheets [选项...] --output 文件\n选项见 kalkora-sheets --help。\n";

TEST_F(SheetsExeTest, UsageErrorsAndRefusalsExitWithTwoAndWriteNothing) {
  const struct {
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {{}, "kalkora-sheets: 缺少 --output 文件\n" + kUsage},
      {{"--bogus", "--output", In("题卡.docx")}, "kalkora-sheets: 未知的选项：--bogus\n" + kUsage},
      {{"--output", In("题卡.odt")},
       "kalkora-sheets: --output 的文件名须以 .docx 或 .pdf 结尾：" + In("题卡.odt") + "\n" +
           kUsage},
      {{"--code", "99999", "--output", In("题卡.docx")},
       "kalkora-sheets: --code 须是 100000 到 999999 之间的六位数：99999\n" + kUsage},
      {{"--kind", "分数", "--decimals", "2", "--output", In("题卡.docx")},
       "分数题型不支持小数点生成！\n"},
      {{"--problems", "30", "--decimals", "4", "--output", In("题卡.pdf")},
       "30题的作业，小数点如果大于3位，将无法显示出来！\n"},
      {{"--decimals", "0", "--output", In("题卡.docx")},
       "支持输入的小数点位数范围 1－－5位 之间！\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Start(c.arguments);
    EXPECT_EQ(run.exitCode, 2u) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FileCount(), 0u);
}

// The same arguments given to the core in this process: the program's files are those bytes.
TEST_F(SheetsExeTest, WritesTheSetAndItsKeyAsTheCoreDoesReplacingAnOlderFile) {
  std::ofstream(folder / fs::path(win32::ToUtf16("三年级.docx"))) << "an older set";
  const std::vector<std::string> arguments{
      "--kind=减法", "--from", "20",     "--sheets",   "3",        "--answers",
      "--code",      "482913", "--date", "2026-12-09", "--output", In("三年级.docx")};
  const Outcome run = Start(arguments);
  ASSERT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(FileCount(), 2u);

  const fs::path core = folder / "core";
  fs::create_directories(core);
  std::vector<std::string> coreArguments = arguments;
  coreArguments.back() = win32::ToUtf8((core / "set.docx").wstring());
  const ParsedCommandLine parsed = ParseSheetsCommandLine(coreArguments, SystemClock().Now());
  ASSERT_EQ(
      RunBatch(SettingsOf(parsed.options), parsed.options.request, nullptr, {}, [] { return 0; })
          .outcome,
      BatchOutcome::Written);
  EXPECT_EQ(testing::FileBytes(folder / fs::path(win32::ToUtf16("三年级.docx"))),
            testing::FileBytes(core / "set.docx"));
  EXPECT_EQ(testing::FileBytes(folder / fs::path(win32::ToUtf16("三年级-答案.docx"))),
            testing::FileBytes(core / fs::path(win32::ToUtf16("set-答案.docx"))));
}

TEST_F(SheetsExeTest, AnUnwritableFileExitsWithThreeAndAPdfWithoutWordWithFour) {
  Outcome run = Start({"--output", In("没有的文件夹\\题卡.docx")});
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_EQ(run.err, "kalkora-sheets: 无法写入文件：" + In("没有的文件夹\\题卡.docx") +
                         "（文件夹不存在）\n");

  for (const char* reserved : {"CON.docx", "nul .docx", "com1.v2.docx"}) {
    run = Start({"--output", In(reserved)});
    EXPECT_EQ(run.exitCode, 3u) << reserved;
    EXPECT_EQ(run.err, "kalkora-sheets: 无法写入文件：" + In(reserved) +
                           "（这个名字是 Windows 保留的，不能用作文件名）\n");
  }

  run = Start({"--answers", "--output", In("题卡.pdf")});
  EXPECT_EQ(run.exitCode, 4u);
  EXPECT_EQ(run.err, "kalkora-sheets: " + NoConverterMessage().text + "\n");
  EXPECT_EQ(FileCount(), 0u) << "no PDF, no temporary .docx";
}

// The PDF's route: Word's export where there is no PDF printer (Wine has none), and the PDF
// printer before Word where there is one (the test prefix's file printer under its name, which
// prints PostScript). The stand-in for Word records whether it was called.
TEST_F(SheetsExeTest, APdfGoesToThePdfPrinterWhereThereIsOneElseToWord) {
  const fs::path log = output / "stand-in.log";
  std::ofstream(log).flush();  // the stand-in lives as long as its log, in the output folder
  // The other cases expect no Word.
  struct Unregister {
    ~Unregister() { testing::UnregisterWordApplication(); }
  } unregister;
  ASSERT_TRUE(testing::RegisterWordApplication(testing::HostPath(KALKORA_STAND_IN_SERVER) +
                                               L" --log " + log.wstring()));
  Outcome run = Start({"--output", In("经Word.pdf")});
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_TRUE(
      testing::FileBytes(folder / fs::path(win32::ToUtf16("经Word.pdf"))).starts_with("%PDF-"));
  EXPECT_NE(testing::FileBytes(log).find("Document.ExportAsFixedFormat"), std::string::npos);

  std::ofstream(log, std::ios::trunc).flush();
  {
    const testing::FilePrinter printer(win32::kPdfPrinter);
    ASSERT_TRUE(printer.Installed());
    run = Start({"--answers", "--output", In("经打印机.pdf")});
  }
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  for (const char* name : {"经打印机.pdf", "经打印机-答案.pdf"}) {
    EXPECT_TRUE(
        testing::FileBytes(folder / fs::path(win32::ToUtf16(name))).starts_with("%!PS-Adobe"))
        << name;
  }
  EXPECT_EQ(testing::FileBytes(log), "") << "Word was called";
}

// A read-only file is not replaced, and keeps its attribute; the reasons are told in Chinese.
TEST_F(SheetsExeTest, AReadOnlyFileIsRefusedAndKeepsItsAttribute) {
  const fs::path sheets = folder / fs::path(win32::ToUtf16("三年级.docx"));
  std::ofstream(sheets) << "an older set";
  ASSERT_TRUE(SetFileAttributesW(sheets.c_str(), FILE_ATTRIBUTE_READONLY));
  Outcome run = Start({"--answers", "--output", In("三年级.docx")});
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_EQ(run.err, "kalkora-sheets: 无法写入文件：" + In("三年级.docx") + "（文件是只读的）\n");
  EXPECT_EQ(testing::FileBytes(sheets), "an older set");
  EXPECT_NE(GetFileAttributesW(sheets.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(FileCount(), 1u);
  SetFileAttributesW(sheets.c_str(), FILE_ATTRIBUTE_NORMAL);

  fs::create_directory(folder / fs::path(win32::ToUtf16("三年级-答案.docx")));
  run = Start({"--answers", "--output", In("三年级.docx")});
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_EQ(run.err, "kalkora-sheets: 无法写入文件：" + In("三年级-答案.docx") +
                         "（同名的文件夹已经存在）\n");
  EXPECT_EQ(testing::FileBytes(sheets), "an older set");
}

TEST_F(SheetsExeTest, HelpAndVersionGoToStandardOutput) {
  Outcome run = Start({"--version"});
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.out, "kalkora-sheets " KALKORA_VERSION "\n");
  run = Start({"--help"});
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.out, SheetsHelp());
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace kalkora
