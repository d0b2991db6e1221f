#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet_loop.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"

namespace kalkora {
namespace {

using testing::FakeClock;
using testing::MemoryControls;
using testing::RecordingProblemWriter;

const char* const kKindNames[kKindCount] = {
    "Addition",    "Subtraction", "Multiplication", "Division",    "AddSubMixed",
    "MulDivMixed", "FourOpMixed", "ChainAddition",  "ChainAddSub", "Fraction"};

std::string_view BoxOf(const std::string& kindName) {
  for (std::size_t i = 0; i < kExerciseKinds.size(); ++i) {
    if (kindName == kKindNames[i]) return kExerciseKinds[i].box;
  }
  throw std::invalid_argument(kindName);
}

std::string_view SizeRadio(int sheetSize) {
  return sheetSize == 18 ? form::单选框1 : sheetSize == 24 ? form::单选框2 : form::单选框3;
}

// One sheet made by the loop with range 1 to 100 and problem p seeded with 5000 + p - 1.
std::vector<std::string> SheetTexts(const std::string& kind, int sheetSize,
                                    const std::string& places) {
  MemoryControls controls;
  controls.ChooseKind(BoxOf(kind));
  controls.Select(SizeRadio(sheetSize));
  if (places != "off") {
    controls.Select(form::单选框5);
    controls.WriteText(form::编辑框3, places);
  }
  FakeClock clock;
  clock.tick = 5000;
  ProgramState state;
  RecordingProblemWriter writer;
  EXPECT_TRUE(RunSheetLoop(controls, state, clock, sheetSize, writer));
  return writer.texts;
}

// What every text of every sheet must look like, whatever the draws.
TEST(SheetTexts, OperatorsFollowThePositionOnEverySheetSize) {
  const std::string n = R"(\d+)";
  const std::regex plus(n + R"( \+ )" + n + " =");
  const std::regex minus(n + " - " + n + " =");
  const std::regex times(n + " × " + n + " =");
  const std::regex divide(n + " ÷ " + n + " =");
  for (int size : {18, 24, 30}) {
    const auto four = SheetTexts("FourOpMixed", size, "off");
    const auto mixed = SheetTexts("AddSubMixed", size, "off");
    const auto chain = SheetTexts("ChainAddSub", size, "off");
    for (int p = 1; p <= size; ++p) {
      const auto at = static_cast<std::size_t>(p - 1);
      const std::regex& expected = p <= 5 ? plus : p <= 10 ? minus : p <= 15 ? times : divide;
      EXPECT_TRUE(std::regex_match(four[at], expected)) << size << " p=" << p;
      EXPECT_TRUE(std::regex_match(mixed[at], p <= 9 ? plus : minus)) << size << " p=" << p;
      std::string shape = std::regex_replace(chain[at], std::regex(R"(\d+)"), "n");
      const char* patterns5[] = {
          "n + n - n + n - n =", "n + n + n - n - n =", "n + n - n + n + n ="};
      const char* patterns4[] = {"n + n - n + n =", "n + n + n - n =", "n + n - n + n ="};
      const int pattern = p <= 7 ? 0 : p <= 14 ? 1 : 2;
      EXPECT_EQ(shape, size == 30 ? patterns4[pattern] : patterns5[pattern]) << size << " p=" << p;
    }
  }
}

TEST(SheetLoop, TwoTickedKindsUseTheFirstInTheFixedOrder) {
  MemoryControls controls;
  controls.ChooseKind(form::选择框10);
  controls.WriteState(form::选择框4, 1);  // 除法 comes before 分数
  FakeClock clock;
  ProgramState state;
  RecordingProblemWriter writer;
  RunSheetLoop(controls, state, clock, 18, writer);
  for (const std::string& text : writer.texts) EXPECT_NE(text.find(" ÷ "), std::string::npos);
}

TEST(SheetLoop, WithoutATickedKindNothingIsWrittenButTheCellsStillAdvance) {
  MemoryControls controls;
  controls.WriteState(form::选择框1, 0);
  FakeClock clock;
  ProgramState state;
  RecordingProblemWriter writer;
  EXPECT_TRUE(RunSheetLoop(controls, state, clock, 18, writer));
  EXPECT_TRUE(writer.texts.empty());
  EXPECT_EQ(writer.advances.size(), 17u);
}

}  // namespace
}  // namespace kalkora
