#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/app/generate_command.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/kind_heading.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"
#include "golden/golden_sheets.hpp"

namespace kalkora {
namespace {

using namespace testing;

const UserMessage kStoppedMidRun{"生成题库时 WORD 软 件停止响应，题库没有完成。", "无法打开表格："};

std::string_view SizeRadio(int size) {
  return size == 18 ? form::单选框1 : size == 24 ? form::单选框2 : form::单选框3;
}

class GenerateCommandTest : public ::testing::Test {
 protected:
  void Run() { RunGenerateCommand({controls, state, clock, messages, {office, locator, store}}); }

  bool NothingTouched() const { return office.calls.empty() && store.writes.empty(); }

  MemoryControls controls;
  ProgramState state;
  FakeClock clock;
  RecordingMessageBox messages;
  SimulatedWordProcessor office;
  FixedOfficeLocator locator{"/usr/lib/libreoffice/program/"};
  FakeTemplateStore store;
};

TEST_F(GenerateCommandTest, EveryKindOnEverySheetSizeFillsTheProblemCellsInReadingOrder) {
  for (int size : {18, 24, 30}) {
    for (const ExerciseKindInfo& info : kExerciseKinds) {
      controls.ChooseKind(info.box);
      controls.Select(SizeRadio(size));
      clock.tick = kGoldenFirstTick;
      const std::vector<std::string> expected = PinnedClassicTexts(info.box, size);
      ASSERT_EQ(expected.size(), static_cast<std::size_t>(size));
      Run();
      ASSERT_TRUE(messages.shown.empty());
      const SimDocument& document = office.documents.back();
      const std::string where = std::string(info.box) + " " + std::to_string(size);

      EXPECT_EQ(document.paragraphs[0].text, "数学作业练习") << where;
      EXPECT_EQ(document.paragraphs[1].text, "") << where;
      EXPECT_EQ(document.paragraphs[2].text, KindHeading(info.kind)) << where;
      EXPECT_EQ(document.paragraphs.back().text, "2026年12月8日") << where;
      const int columns = size / 6;
      // Reading order: the problem rows 1, 3, ..., 11 from left to right.
      auto next = expected.begin();
      for (int row = 1; row <= 11; row += 2) {
        for (int column = 1; column <= columns; ++column, ++next) {
          const auto cell = document.Cell(row, column);
          ASSERT_EQ(cell.size(), 1u);
          EXPECT_EQ(cell[0]->text, *next) << where << " row " << row << " column " << column;
          ASSERT_EQ(cell[0]->typed.size(), 1u);
          EXPECT_EQ(cell[0]->typed[0].size, 12.0f) << where << " row " << row;
        }
      }
      for (int row = 2; row <= 12; row += 2) {
        for (int column = 1; column <= columns; ++column) {
          EXPECT_EQ(document.CellText(row, column),
                    row == 2 && column == 1 && size == 30 ? "\v" : "")
              << where << " answer row " << row;
        }
      }
      EXPECT_FALSE(document.paragraphs[2].typed[0].size) << "the heading keeps its own size";
    }
  }
  EXPECT_EQ(office.documents.size(), 30u) << "each run adds one document and leaves the others";
}

TEST_F(GenerateCommandTest, ARefusalTouchesNeitherTheOfficeNorTheDisk) {
  controls.WriteState(form::选择框1, 0);
  Run();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "提示： ");
  EXPECT_TRUE(NothingTouched());
  EXPECT_EQ(controls.ReadText(form::编辑框19), "") << "detection has not run";
}

TEST_F(GenerateCommandTest, AMissingWordProcessorIsReportedAndNothingIsWritten) {
  FixedOfficeLocator nowhere("");
  RunGenerateCommand({controls, state, clock, messages, {office, nowhere, store}});
  EXPECT_EQ(messages.shown,
            (std::vector<UserMessage>{{"电 脑 没 有 安 装 WORD 软 件.", "无法打开表格："}}));
  EXPECT_TRUE(NothingTouched());
}

TEST_F(GenerateCommandTest, AnOfficeThatCannotBeStartedEndsTheRunBeforeAnythingIsWritten) {
  office.failCreate = true;
  Run();
  EXPECT_EQ(messages.shown, (std::vector<UserMessage>{{"无法启动 WORD 软 件.", "无法打开表格："}}));
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(office.calls, std::vector<std::string>{"CreateApplication"});
}

TEST_F(GenerateCommandTest, AnOfficeThatRefusesToServeTheRunSaysWhyBeforeAnythingIsWritten) {
  office.failCreate = true;
  office.refusal = UserMessage{"装上窗口组件", "无法打开表格："};
  Run();
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{*office.refusal});
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(office.calls, std::vector<std::string>{"CreateApplication"});
}

TEST_F(GenerateCommandTest, AnUnwritableTemplateEndsTheRunBeforeTheOfficeIsAskedForADocument) {
  store.fail = true;
  Run();
  EXPECT_EQ(messages.shown,
            (std::vector<UserMessage>{{"无法写入表格模板：/fake/doc.doc", "无法打开表格："}}));
  EXPECT_TRUE(office.documents.empty());
  for (const std::string& call : office.calls) EXPECT_FALSE(call.starts_with("AddDocument"));
}

TEST_F(GenerateCommandTest, ADocumentThatCannotBeAddedLeavesTheUsersOwnDocumentAlone) {
  office.OpenUserDocument();
  office.failAdd = true;
  controls.Select(form::单选框2);
  Run();
  EXPECT_EQ(messages.shown,
            (std::vector<UserMessage>{{"无法打开表格模板：/fake/d24.doc", "无法打开表格："}}));
  EXPECT_EQ(office.documents.size(), 1u);
  EXPECT_EQ(office.documents[0].paragraphs[0].text, "a letter the user is writing");
  for (const std::string& call : office.calls) EXPECT_FALSE(call.starts_with("TypeText"));
}

TEST_F(GenerateCommandTest, AnOfficeLostMidRunStopsAtThatCallWithOneMessageAndTheNextRunWorks) {
  for (std::size_t failAt : {6u, 7u, 20u, 40u, 60u, 61u}) {
    SimulatedWordProcessor dying;
    dying.failFromCall = failAt;
    RecordingMessageBox seen;
    RunGenerateCommand({controls, state, clock, seen, {dying, locator, store}});
    EXPECT_EQ(seen.shown, std::vector<UserMessage>{kStoppedMidRun}) << failAt;
    EXPECT_EQ(dying.calls.size(), failAt + 2) << "the failed call, then the release";
    EXPECT_EQ(dying.calls.back(), "ReleaseDocuments");

    dying.failFromCall.reset();
    seen.shown.clear();
    RunGenerateCommand({controls, state, clock, seen, {dying, locator, store}});
    EXPECT_TRUE(seen.shown.empty()) << failAt;
    EXPECT_EQ(dying.applicationConnections, 2) << "the next click connects afresh";
    EXPECT_EQ(dying.documents.back().paragraphs.back().text, "2026年12月8日");
  }
}

// An office edge that throws from one call instead of returning false, once.
class ThrowingWordProcessor : public SimulatedWordProcessor {
 public:
  struct OwnError {};  // not a std::exception, as an office library's own exceptions are not

  std::string_view throwingCall;
  bool throwOwnError = false;

  bool CreateApplication() override {
    ThrowIf("CreateApplication");
    return SimulatedWordProcessor::CreateApplication();
  }
  bool AddDocument(std::string_view path) override {
    ThrowIf("AddDocument");
    return SimulatedWordProcessor::AddDocument(path);
  }
  bool TypeText(std::string_view text) override {
    ThrowIf("TypeText");
    return SimulatedWordProcessor::TypeText(text);
  }

 private:
  void ThrowIf(std::string_view call) {
    if (call != throwingCall) return;
    throwingCall = {};
    if (throwOwnError) throw OwnError{};
    throw std::runtime_error("the office went away");
  }
};

TEST_F(GenerateCommandTest, AnOfficeEdgeThatThrowsEndsTheRunWithTheMidRunMessage) {
  for (const auto& [call, ownError] : std::vector<std::pair<std::string_view, bool>>{
           {"CreateApplication", false}, {"AddDocument", true}, {"TypeText", false}}) {
    SCOPED_TRACE(call);
    ThrowingWordProcessor throwing;
    throwing.throwingCall = call;
    throwing.throwOwnError = ownError;
    RecordingMessageBox seen;
    RunGenerateCommand({controls, state, clock, seen, {throwing, locator, store}});
    EXPECT_EQ(seen.shown, std::vector<UserMessage>{kStoppedMidRun});
    EXPECT_EQ(throwing.calls.back(), "ReleaseDocuments");
    EXPECT_FALSE(throwing.documentsUnitHeld);

    seen.shown.clear();
    RunGenerateCommand({controls, state, clock, seen, {throwing, locator, store}});
    EXPECT_TRUE(seen.shown.empty()) << "the next click works";
    EXPECT_EQ(throwing.documents.back().paragraphs.back().text, "2026年12月8日");
  }
}

TEST_F(GenerateCommandTest, WithoutASheetSizeTheRunEndsAfterConnecting) {
  controls.ClearGroup(form::单选框1);
  Run();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(office.calls, (std::vector<std::string>{"CreateApplication", "AttachDocuments",
                                                    "TakeDocumentsObject"}));
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(GenerateCommandTest, EachSheetSizeWritesItsOwnTemplate) {
  for (int size : {30, 18, 24}) {
    controls.Select(SizeRadio(size));
    Run();
  }
  EXPECT_EQ(store.writes, (std::vector<int>{30, 18, 24}));
  EXPECT_EQ(office.documents[0].templatePath, "/fake/d30.doc");
}

}  // namespace
}  // namespace kalkora
