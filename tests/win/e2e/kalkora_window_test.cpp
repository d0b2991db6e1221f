// The real kalkora.exe driven through its window, with a recording stand-in server registered
// as "Word.Application" and the install path set in the registry of the test prefix.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/app/generate_command.hpp"
#include "core/base/date_text.hpp"
#include "core/base/form_names.hpp"
#include "core/base/system_clock.hpp"
#include "core/word/office_messages.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/sheet_invariants.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "kalkora_process.hpp"
#include "registry_setup.hpp"
#include "system/win32/utf16.hpp"
#include "word_call_lines.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using namespace testing;
namespace fs = std::filesystem;

constexpr std::string_view kTypeText = "Selection.TypeText(BSTR:";
const std::wstring kOfficePath = L"C:\\Program Files\\Microsoft Office\\Office16\\";

std::string TemplatePath(int sheetSize) {
  PWSTR folder = nullptr;
  std::wstring path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) path = folder;
  CoTaskMemFree(folder);
  return win32::ToUtf8(path) + "\\Kalkora\\" + (sheetSize == 24 ? "d24.doc" : "doc.doc");
}

// The calls the core makes for 除法 on 24 problems, through the simulated word processor:
// what Word must be asked, call by call.
std::vector<std::string> ExpectedDivisionSheetCalls() {
  MemoryControls controls;
  controls.ChooseKind(form::选择框4);
  controls.Select(form::单选框2);
  FakeClock clock;
  ProgramState state = CreateProgramState();
  RecordingMessageBox messages;
  SimulatedWordProcessor word;
  FixedOfficeLocator locator(win32::ToUtf8(kOfficePath));
  struct : TemplateStore {
    TemplateWrite Write(int sheetSize) override { return {TemplatePath(sheetSize), true}; }
  } store;
  RunGenerateCommand({controls, state, clock, messages, {word, locator, store}});
  return ExpectedWordCalls(word.calls);
}

std::vector<std::string> ReadLines(const fs::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool IsTypeText(const std::string& line) { return line.starts_with(kTypeText); }

std::string TypedText(const std::string& line) {
  return line.substr(kTypeText.size(), line.size() - kTypeText.size() - 1);
}

// The drawn problems (every typed text but the heading and the date) are replaced by a
// placeholder: they depend on the moment of the run.
std::vector<std::string> WithProblemsMasked(std::vector<std::string> lines) {
  std::vector<std::size_t> typed;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsTypeText(lines[i])) typed.push_back(i);
  }
  for (std::size_t k = 1; k + 1 < typed.size(); ++k) lines[typed[k]] = "<problem>";
  if (typed.size() >= 2) lines[typed.back()] = "<date>";
  return lines;
}

std::vector<std::string> TypedTexts(const std::vector<std::string>& lines) {
  std::vector<std::string> texts;
  for (const std::string& line : lines) {
    if (IsTypeText(line)) texts.push_back(TypedText(line));
  }
  return texts;
}

class KalkoraWindow : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    UnregisterWordApplication();
    RemoveWordInstallPath();
  }

  // Every test has a log of its own; the stand-in ends itself once its log is removed.
  void SetUp() override {
    static int tests = 0;
    log_ =
        fs::temp_directory_path() / ("kalkora-stand-in-" + std::to_string(GetCurrentProcessId()) +
                                     "-" + std::to_string(++tests) + ".log");
    std::ofstream(log_).flush();
    ASSERT_TRUE(UseStandIn(L""));
    ASSERT_TRUE(SetWordInstallPath(kOfficePath));
  }
  void TearDown() override { fs::remove(log_); }

  // Registers the stand-in with its log and the given options (" --fail add").
  bool UseStandIn(const std::wstring& options) {
    return RegisterWordApplication(HostPath(KALKORA_STAND_IN_SERVER) + L" --log " + log_.wstring() +
                                   options);
  }

  std::unique_ptr<KalkoraProcess> Start() {
    auto program = std::make_unique<KalkoraProcess>(HostPath(KALKORA_EXE));
    EXPECT_TRUE(program->Started()) << "no main window";
    return program;
  }

  // The operation calls logged once at least `count` of them are there.
  std::vector<std::string> WaitForCalls(std::size_t count) {
    const auto end = std::chrono::steady_clock::now() + 60s;
    std::vector<std::string> lines;
    do {
      lines = OperationCalls(ReadLines(log_));
      if (lines.size() >= count) break;
      std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < end);
    return lines;
  }

  // Ticks 除法, chooses 24题 and clicks the generate button.
  static void GenerateDivisionSheet(KalkoraProcess& program) {
    program.Click(form::选择框4);
    program.Click(form::单选框2);
    ASSERT_TRUE(program.IsChecked(form::选择框4));
    ASSERT_TRUE(program.IsChecked(form::单选框2));
    program.ClickAndGoOn(form::超级按钮1);
  }

  fs::path log_;
};

TEST_F(KalkoraWindow, DrivesWordCallByCallAsTheCoreDoes) {
  const std::vector<std::string> expected = ExpectedDivisionSheetCalls();
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const std::string today = DateText(SystemClock().Now());
  GenerateDivisionSheet(*program);

  const std::vector<std::string> actual = WaitForCalls(expected.size());
  std::this_thread::sleep_for(500ms);
  EXPECT_FALSE(program->MessageBoxShowing()) << program->MessageBoxShowing()->text;
  EXPECT_EQ(WithProblemsMasked(OperationCalls(ReadLines(log_))), WithProblemsMasked(expected));

  const std::vector<std::string> typed = TypedTexts(actual);
  ASSERT_EQ(typed.size(), 26u);
  EXPECT_EQ(typed.back(), today);
  const std::vector<std::string> problems(typed.begin() + 1, typed.end() - 1);
  EXPECT_EQ(CheckSheet({ExerciseKind::Division, 24}, problems), "");
  EXPECT_EQ(program->Close(), 0u);
}

TEST_F(KalkoraWindow, InstallPathInCapitalsIsAccepted) {
  ASSERT_TRUE(SetWordInstallPath(L"C:\\MSOFFICE\\WINWORD\\"));
  const std::size_t expected = ExpectedDivisionSheetCalls().size();
  auto program = Start();
  ASSERT_TRUE(program->Started());
  GenerateDivisionSheet(*program);
  const std::vector<std::string> actual = WaitForCalls(expected);
  EXPECT_EQ(actual.size(), expected);
  ASSERT_FALSE(actual.empty());
  EXPECT_EQ(actual[1], "Documents.add(BSTR:" + TemplatePath(24) + ")");
  EXPECT_FALSE(program->MessageBoxShowing());
}

TEST_F(KalkoraWindow, NoInstallPathShowsWordMissing) {
  ASSERT_TRUE(RemoveWordInstallPath());
  auto program = Start();
  ASSERT_TRUE(program->Started());
  GenerateDivisionSheet(*program);
  const auto box = program->WaitForMessageBox(30s);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kWordMissing);
  EXPECT_EQ(box->caption, kOfficeCaption);
  KalkoraProcess::Dismiss(*box);
  EXPECT_TRUE(ReadLines(log_).empty());
  EXPECT_EQ(program->Close(), 0u);
}

TEST_F(KalkoraWindow, FailedAddShowsTemplateNotOpenedAndTypesNothing) {
  ASSERT_TRUE(UseStandIn(L" --fail add"));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  GenerateDivisionSheet(*program);
  const auto box = program->WaitForMessageBox(30s);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, std::string(kTemplateNotOpened) + TemplatePath(24));
  EXPECT_EQ(box->caption, kOfficeCaption);
  KalkoraProcess::Dismiss(*box);
  const std::vector<std::string> lines = OperationCalls(ReadLines(log_));
  EXPECT_EQ(lines, (std::vector<std::string>{"Application.Documents",
                                             "Documents.add(BSTR:" + TemplatePath(24) + ")"}));
  EXPECT_EQ(program->Close(), 0u);
}

TEST_F(KalkoraWindow, WordThatStopsAnsweringEndsTheRunWithinTheTimeLimit) {
  ASSERT_TRUE(UseStandIn(L" --hang TypeText"));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  const auto clicked = std::chrono::steady_clock::now();
  GenerateDivisionSheet(*program);
  const auto box = program->WaitForMessageBox(90s);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kWordStoppedMidRun);
  EXPECT_EQ(box->caption, kOfficeCaption);
  // The 30 s limit once, with no second wait, and some time for a busy Wine.
  const std::chrono::duration<double> toMessage = std::chrono::steady_clock::now() - clicked;
  EXPECT_LT(toMessage, 45s);
  KalkoraProcess::Dismiss(*box);
  // Nothing was typed past the heading that hung.
  EXPECT_EQ(TypedTexts(OperationCalls(ReadLines(log_))).size(), 1u);
  // Closing does not wait on the call that still hangs.
  const auto closing = std::chrono::steady_clock::now();
  EXPECT_EQ(program->Close(), 0u);
  const std::chrono::duration<double> toExit = std::chrono::steady_clock::now() - closing;
  EXPECT_LT(toExit, 2s);
  std::printf("hung Word: click to message %.1f s, close request to exit %.2f s\n",
              toMessage.count(), toExit.count());
}

// Counts the lines of one call.
std::size_t Count(const std::vector<std::string>& lines, std::string_view call) {
  return static_cast<std::size_t>(std::ranges::count_if(
      lines, [&](const std::string& line) { return line.starts_with(call); }));
}

// The close request comes while the sheet is being typed and a click 0.2 s after it: the sheet
// is finished, then the program ends; the click starts no second sheet.
TEST_F(KalkoraWindow, ACloseRequestDuringARunFinishesTheSheetAndStartsNoOther) {
  const std::vector<std::string> expected = ExpectedDivisionSheetCalls();
  auto program = Start();
  ASSERT_TRUE(program->Started());
  GenerateDivisionSheet(*program);
  ASSERT_GE(WaitForCalls(3).size(), 3u) << "the run did not begin";
  program->RequestClose();
  std::this_thread::sleep_for(200ms);
  program->ClickAndGoOn(form::超级按钮1);
  EXPECT_EQ(program->WaitForExit(30s), 0u);
  const std::vector<std::string> calls = OperationCalls(ReadLines(log_));
  EXPECT_EQ(WithProblemsMasked(calls), WithProblemsMasked(expected)) << "one whole sheet";
  EXPECT_EQ(Count(calls, "Documents.add"), 1u);
}

// The close request comes while the run's message box is up, and a click after it: the box
// stays until the user has read it, then the program ends without another run.
TEST_F(KalkoraWindow, ACloseRequestDuringARunsMessageWaitsForItAndStartsNoOtherRun) {
  ASSERT_TRUE(UseStandIn(L" --fail add"));
  auto program = Start();
  ASSERT_TRUE(program->Started());
  GenerateDivisionSheet(*program);
  const auto box = program->WaitForMessageBox(30s);
  ASSERT_TRUE(box);
  program->RequestClose();
  std::this_thread::sleep_for(200ms);
  program->ClickAndGoOn(form::超级按钮1);
  std::this_thread::sleep_for(1s);
  const auto stillShown = program->MessageBoxShowing();
  ASSERT_TRUE(stillShown) << "the close request took the message away";
  EXPECT_EQ(stillShown->text, std::string(kTemplateNotOpened) + TemplatePath(24));
  KalkoraProcess::Dismiss(*stillShown);
  EXPECT_EQ(program->WaitForExit(30s), 0u);
  EXPECT_EQ(Count(OperationCalls(ReadLines(log_)), "Documents.add"), 1u);
}

struct Refusal {
  const char* name;
  std::vector<std::string_view> clicks;  // after the window's own defaults
  std::string places;
  std::string text;
  std::string caption;
};

TEST_F(KalkoraWindow, EveryRefusalIsAMessageBoxAndReachesNoWord) {
  using namespace form;
  const std::vector<Refusal> refusals = {
      {"no kind",
       {选择框1},
       "2",
       "没有选择要生成的加、减、乘、除、分数、连续加减法题库！",
       "提示： "},
      {"no places", {单选框5}, "", "没有输入生成 几位小数点！", "提示： "},
      {"six places", {单选框5}, "6", "支持输入的小数点位数范围 1－－5位 之间！", "提示： "},
      {"zero places", {单选框5}, "0", "支持输入的小数点位数范围 1－－5位 之间！", "提示： "},
      {"30 with 4 places",
       {单选框3, 单选框5},
       "4",
       "30题的作业，小数点如果大于3位，将无法显示出来！",
       "提示："},
      {"连续加法 with decimals",
       {选择框8, 单选框5},
       "2",
       "连续加减法题型不支持小数点生成！",
       "提示："},
      {"连续减法 with decimals",
       {选择框9, 单选框5},
       "2",
       "连续加减法题型不支持小数点生成！",
       "提示："},
      {"分数 with decimals", {选择框10, 单选框5}, "2", "分数题型不支持小数点生成！", "提示："},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    // A fresh window for each: every refusal starts from the window's defaults.
    auto program = Start();
    ASSERT_TRUE(program->Started());
    for (std::string_view control : refusal.clicks) program->Click(control);
    program->SetText(编辑框3, refusal.places);
    program->ClickAndGoOn(超级按钮1);
    const auto box = program->WaitForMessageBox(30s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, refusal.text);
    EXPECT_EQ(box->caption, refusal.caption);
    KalkoraProcess::Dismiss(*box);
    EXPECT_EQ(program->Close(), 0u);
  }
  EXPECT_TRUE(ReadLines(log_).empty());
}

}  // namespace
}  // namespace kalkora
