#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/generate_command.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/kind_heading.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "fakes/simulated_word_processor.hpp"

namespace kalkora {
namespace {

using namespace testing;

// The calls of a whole 18-problem run of 减法 with the range 5 to 5, in order.
std::vector<std::string> ExpectedSubtractionRun() {
  std::vector<std::string> calls = {
      "CreateApplication",   "AttachDocuments",
      "TakeDocumentsObject", "AddDocument(/fake/doc.doc)",
      "Visible=true",        "MoveUp(7,1,0)",
      "MoveDown(4,2,0)",     "TypeText(" + KindHeading(ExerciseKind::Subtraction) + ")",
      "MoveDown(4,1,0)",     "MoveRight(12,0,0)",
      "Font.Size=12"};
  for (int p = 1; p <= 18; ++p) {
    calls.push_back("TypeText(5 - 5 =)");
    if (p == 18) break;
    const int moves = p % 3 == 0 ? 4 : 1;
    for (int i = 0; i < moves; ++i) calls.push_back("MoveRight(12,1,0)");
    calls.push_back("Font.Size=12");
  }
  for (int i = 0; i < 3; ++i) calls.push_back("MoveRight(12,1,0)");
  calls.push_back("MoveDown(4,13,0)");
  calls.push_back("TypeText(2026年12月8日)");
  calls.push_back("ReleaseDocuments");
  return calls;
}

TEST(CellWriter, AWholeRunMakesExactlyTheseCallsInThisOrder) {
  MemoryControls controls;
  controls.ChooseKind(form::选择框2);
  controls.WriteText(form::编辑框1, "5");
  controls.WriteText(form::编辑框2, "5");
  ProgramState state;
  FakeClock clock;
  RecordingMessageBox messages;
  SimulatedWordProcessor office;
  FixedOfficeLocator locator("/usr/lib/libreoffice/program/");
  FakeTemplateStore store;
  RunGenerateCommand({controls, state, clock, messages, office, locator, store});

  EXPECT_EQ(office.calls, ExpectedSubtractionRun());
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(clock.pauses.size(), 2u);
  EXPECT_EQ(clock.pauses[0].count(), 555);
  EXPECT_EQ(clock.pauses[1].count(), 555);
  EXPECT_FALSE(office.documentsUnitHeld) << "the documents unit lets go at the end";
  EXPECT_TRUE(office.documentsObjectHeld) << "DocumentsObject lives until the next run or exit";

  office.ReleaseAll();
  ReleaseProgramState(state);
  EXPECT_EQ(office.calls.back(), "ReleaseAll");
  EXPECT_FALSE(office.applicationHeld || office.documentsObjectHeld);
  EXPECT_TRUE(state.OperandText1.empty() && state.DecimalSuffix1.empty());
}

}  // namespace
}  // namespace kalkora
