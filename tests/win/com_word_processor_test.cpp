#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/app/generate_command.hpp"
#include "core/base/form_names.hpp"
#include "core/word/bounded_automation.hpp"
#include "core/word/office_messages.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "office/com/com_word_processor.hpp"
#include "office/com/message_filter.hpp"
#include "recording_factory.hpp"
#include "recording_word.hpp"
#include "word_call_lines.hpp"

namespace kalkora {
namespace {

using namespace std::chrono_literals;
using testing::FakeClock;
using testing::MemoryControls;
using testing::Recorder;

// A whole generate run with the given office; the clock and controls are set up the same way
// for every office, so two runs draw the same problems.
struct GenerateRun {
  MemoryControls controls;
  FakeClock clock;
  ProgramState state = CreateProgramState();
  testing::RecordingMessageBox messages;
  testing::FixedOfficeLocator locator{"C:\\Program Files\\Microsoft Office\\Office16\\"};
  testing::FakeTemplateStore store{"C:\\users\\me\\Local Settings\\Kalkora\\"};

  void Generate(WordAutomation& office) {
    RunGenerateCommand({controls, state, clock, messages, office, locator, store});
  }
};

class ComWordProcessorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }

  com::ApplicationFactory Recording() { return testing::RecordingFactory(recorder); }

  // The references the abandoned apartment still holds are let go once Word answers.
  void WaitUntilAllReleased() { testing::WaitUntilAllReleased(recorder); }

  Recorder recorder;
};

struct SheetCase {
  const char* name;
  std::string_view kindBox;
  std::string_view sizeRadio;
};

class WholeSheet : public ComWordProcessorTest, public ::testing::WithParamInterface<SheetCase> {};

TEST_P(WholeSheet, WordSeesTheCallsOfTheSimulatedRunAndEveryReferenceIsGivenBack) {
  GenerateRun simulatedRun, comRun;
  for (GenerateRun* run : {&simulatedRun, &comRun}) {
    run->controls.ChooseKind(GetParam().kindBox);
    run->controls.Select(GetParam().sizeRadio);
  }
  testing::SimulatedWordProcessor simulated;
  simulatedRun.Generate(simulated);
  com::ComWordProcessor word(Recording());
  comRun.Generate(word);

  EXPECT_TRUE(comRun.messages.shown.empty());
  EXPECT_EQ(testing::OperationCalls(recorder.Lines()), testing::ExpectedWordCalls(simulated.calls));
  // The application and DocumentsObject outlive the run; the documents unit let go.
  EXPECT_EQ(recorder.Outstanding(), 2);
  word.ReleaseAll();
  EXPECT_EQ(recorder.Outstanding(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sheets, WholeSheet,
                         ::testing::Values(SheetCase{"Division24", form::选择框4, form::单选框2},
                                           SheetCase{"Addition18", form::选择框1, form::单选框1},
                                           SheetCase{"Fraction30", form::选择框10, form::单选框3}),
                         [](const auto& each) { return std::string(each.param.name); });

TEST_F(ComWordProcessorTest, PassesArgumentsWithTheirAutomationTypes) {
  com::ComWordProcessor word(Recording());
  ASSERT_TRUE(word.CreateApplication() && word.AttachDocuments() && word.TakeDocumentsObject());
  ASSERT_TRUE(word.AddDocument("C:\\模板\\doc.doc"));
  ASSERT_TRUE(word.ShowApplication());
  ASSERT_TRUE(word.MoveDown(wdParagraph, 13, wdMove));
  ASSERT_TRUE(word.TypeText("12 × 3 ="));
  ASSERT_TRUE(word.SetFontSize(12.0f));
  word.ReleaseAll();

  struct Expected {
    std::string line;
    WORD flags;
    bool namedPut;
  };
  const std::vector<Expected> expected = {
      {"Application.Documents", DISPATCH_PROPERTYGET, false},
      {"Documents.add(BSTR:C:\\模板\\doc.doc)", DISPATCH_METHOD, false},
      {"Application.Visible=BOOL:true", DISPATCH_PROPERTYPUT, true},
      {"Documents.Parent", DISPATCH_PROPERTYGET, false},
      {"Application.Selection", DISPATCH_PROPERTYGET, false},
      {"Selection.MoveDown(I4:4,I4:13,I4:0)", DISPATCH_METHOD, false},
      {"Selection.TypeText(BSTR:12 × 3 =)", DISPATCH_METHOD, false},
      {"Selection.Font", DISPATCH_PROPERTYGET, false},
      {"Font.Size=R4:12", DISPATCH_PROPERTYPUT, true},
  };
  ASSERT_EQ(recorder.calls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].line);
    EXPECT_EQ(recorder.calls[i].Line(), expected[i].line);
    EXPECT_EQ(recorder.calls[i].flags, expected[i].flags);
    EXPECT_EQ(recorder.calls[i].namedPropertyPut, expected[i].namedPut);
  }
  EXPECT_EQ(recorder.Outstanding(), 0);
}

TEST_F(ComWordProcessorTest, FetchesSelectionAndFontOncePerDocumentsUnit) {
  com::ComWordProcessor word(Recording());
  for (int attach = 0; attach < 2; ++attach) {
    ASSERT_TRUE(word.CreateApplication() && word.AttachDocuments());
    for (int i = 0; i < 3; ++i)
      ASSERT_TRUE(word.MoveRight(wdCell, 1, wdMove) && word.SetFontSize(12));
    word.ReleaseDocuments();
  }
  const std::vector<std::string> lines = recorder.Lines();
  EXPECT_EQ(std::ranges::count(lines, "Application.Selection"), 2);
  EXPECT_EQ(std::ranges::count(lines, "Selection.Font"), 2);
  // Creating the application again let go of the first one.
  EXPECT_EQ(recorder.Outstanding(), 1);
  word.ReleaseAll();
  EXPECT_EQ(recorder.Outstanding(), 0);
}

struct FailureCase {
  const char* failingMember;
  std::string_view message;
  bool typedAnything;
};

class FailingWord : public ComWordProcessorTest,
                    public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingWord, EndsTheRunWithOneMessageAndGivesEveryReferenceBack) {
  recorder.failMember = GetParam().failingMember;
  GenerateRun run;
  com::ComWordProcessor word(Recording());
  run.Generate(word);

  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_TRUE(run.messages.shown[0].text.starts_with(GetParam().message));
  EXPECT_EQ(run.messages.shown[0].caption, kOfficeCaption);
  const std::vector<std::string> lines = recorder.Lines();
  const bool typed = std::ranges::any_of(
      lines, [](const std::string& line) { return line.starts_with("Selection.TypeText"); });
  EXPECT_EQ(typed, GetParam().typedAnything);
  word.ReleaseAll();
  EXPECT_EQ(recorder.Outstanding(), 0);
}

INSTANTIATE_TEST_SUITE_P(Members, FailingWord,
                         ::testing::Values(FailureCase{"add", kTemplateNotOpened, false},
                                           FailureCase{"Documents", kWordNotStarted, false},
                                           FailureCase{"Visible", kWordStoppedMidRun, false},
                                           FailureCase{"Selection", kWordStoppedMidRun, false},
                                           FailureCase{"TypeText", kWordStoppedMidRun, true},
                                           FailureCase{"Size", kWordStoppedMidRun, true}),
                         [](const auto& each) { return std::string(each.param.failingMember); });

TEST_F(ComWordProcessorTest, WithoutAnApplicationEveryOperationFails) {
  com::ComWordProcessor word([](com::DispatchRef&) { return REGDB_E_CLASSNOTREG; });
  EXPECT_FALSE(word.CreateApplication());
  EXPECT_FALSE(word.AttachDocuments());
  EXPECT_FALSE(word.TakeDocumentsObject());
  EXPECT_FALSE(word.AddDocument("C:\\doc.doc"));
  EXPECT_FALSE(word.ShowApplication());
  EXPECT_FALSE(word.MoveUp(wdScreen, 1, wdMove));
  EXPECT_FALSE(word.TypeText("x"));
  EXPECT_FALSE(word.SetFontSize(12));
  word.ReleaseAll();
}

TEST_F(ComWordProcessorTest, WithoutWordInstalledTheProgIdIsNotFound) {
  com::DispatchRef application;
  EXPECT_TRUE(FAILED(com::CreateWordApplication(application)));
  EXPECT_FALSE(application);
}

// Word that stops answering in the middle of a run, under a short time limit: the run ends
// with the mid-run message within the limit; while the call stays stuck the next run says at
// once that Word is not answering; once Word answers, the stuck worker gives its references
// back in its own apartment and the next run connects afresh.
TEST_F(ComWordProcessorTest, AHangingCallEndsTheRunWithinTheLimitAndTheNextRunConnectsAfresh) {
  constexpr auto kLimit = 300ms;
  recorder.hangMember = "TypeText";
  recorder.hangRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  BoundedAutomation word([this] { return std::make_unique<com::ComWordProcessor>(Recording()); },
                         kLimit, com::OfficeApartmentHooks(kLimit));

  GenerateRun stopped;
  const auto started = std::chrono::steady_clock::now();
  stopped.Generate(word);
  EXPECT_LT(std::chrono::steady_clock::now() - started, kLimit + 1s) << "a second wait";
  EXPECT_EQ(stopped.messages.shown, std::vector<UserMessage>{OfficeMessage(kWordStoppedMidRun)});

  {
    std::lock_guard lock(recorder.mutex);
    recorder.hangMember.clear();  // Word answers again; the stuck call stays stuck
  }
  GenerateRun meanwhile;
  const auto clicked = std::chrono::steady_clock::now();
  meanwhile.Generate(word);
  EXPECT_LT(std::chrono::steady_clock::now() - clicked, kLimit) << "no second wait";
  EXPECT_EQ(meanwhile.messages.shown, std::vector<UserMessage>{OfficeMessage(kWordNotAnswering)});

  SetEvent(recorder.hangRelease);
  const auto until = std::chrono::steady_clock::now() + 10s;
  bool connected = false;
  while (!connected && std::chrono::steady_clock::now() < until) {
    GenerateRun next;
    next.Generate(word);
    connected = next.messages.shown.empty();
    if (!connected) std::this_thread::sleep_for(50ms);
  }
  EXPECT_TRUE(connected) << "a run after Word answered again";
  word.ReleaseAll();
  WaitUntilAllReleased();
  EXPECT_EQ(recorder.Outstanding(), 0);
  CloseHandle(recorder.hangRelease);
}

// Word busy at the start of a run: the rejected calls are made again and the sheet is still
// made, call for call.
TEST_F(ComWordProcessorTest, CallsRejectedByABusyWordAreRetriedAndTheSheetIsMade) {
  recorder.rejectNext = 5;
  GenerateRun simulatedRun, comRun;
  testing::SimulatedWordProcessor simulated;
  simulatedRun.Generate(simulated);
  com::ComWordProcessor word(Recording());
  comRun.Generate(word);

  EXPECT_TRUE(comRun.messages.shown.empty());
  EXPECT_EQ(recorder.rejected, 5);
  EXPECT_EQ(testing::OperationCalls(recorder.Lines()), testing::ExpectedWordCalls(simulated.calls));
  word.ReleaseAll();
  EXPECT_EQ(recorder.Outstanding(), 0);
}

// Word that stays busy from the first typed text on: the run ends with the mid-run message
// within the time limit.
TEST_F(ComWordProcessorTest, WordThatStaysBusyEndsTheRunWithinTheTimeLimit) {
  recorder.onCall = [this](const testing::RecordedCall& call) {
    if (call.member != "TypeText") return;
    std::lock_guard lock(recorder.mutex);
    recorder.rejectAll = true;
  };
  GenerateRun run;
  BoundedAutomation word([this] { return std::make_unique<com::ComWordProcessor>(Recording()); },
                         300ms, com::OfficeApartmentHooks(300ms));
  const auto started = std::chrono::steady_clock::now();
  run.Generate(word);

  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  ASSERT_EQ(run.messages.shown.size(), 1u);
  EXPECT_EQ(run.messages.shown[0].text, kWordStoppedMidRun);
  EXPECT_GT(recorder.rejected, 0);
  {
    std::lock_guard lock(recorder.mutex);
    recorder.rejectAll = false;  // Word answers again: the abandoned call ends
  }
  word.ReleaseAll();
  WaitUntilAllReleased();
  EXPECT_EQ(recorder.Outstanding(), 0);
}

}  // namespace
}  // namespace kalkora
