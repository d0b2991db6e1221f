#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

using testing::MemoryControls;

std::vector<std::string_view> TickedBoxes(MemoryControls& controls) {
  std::vector<std::string_view> ticked;
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (controls.ReadState(info.box) == 1) ticked.push_back(info.box);
  }
  return ticked;
}

TEST(KindSelection, TickingABoxClearsTheOthersAndConfirmsIt) {
  MemoryControls controls;
  controls.Click(form::选择框3);
  EXPECT_EQ(TickedBoxes(controls), std::vector<std::string_view>{form::选择框3});
  EXPECT_EQ(controls.Panel(1), "  选择乘法题库");
}

TEST(KindSelection, ClickingTheTickedBoxLeavesNoneTickedAndThePanelUnchanged) {
  MemoryControls controls;
  controls.Click(form::选择框1);
  EXPECT_TRUE(TickedBoxes(controls).empty());
  EXPECT_EQ(controls.Panel(1), " 不要让童年太累...");
}

TEST(KindSelection, ChainedKindsConfirmWithTheirOwnWording) {
  MemoryControls controls;
  controls.Click(form::选择框8);
  EXPECT_EQ(controls.Panel(1), "  选择加法连续运算题库");
  controls.Click(form::选择框9);
  EXPECT_EQ(TickedBoxes(controls), std::vector<std::string_view>{form::选择框9});
  EXPECT_EQ(controls.Panel(1), "  选择加减法连续运算题库");
}

TEST(KindSelection, AnUntickedBoxClickedTwiceEndsWithNoneTicked) {
  MemoryControls controls;
  controls.Click(form::选择框10);
  controls.Click(form::选择框10);
  EXPECT_TRUE(TickedBoxes(controls).empty());
  EXPECT_EQ(controls.Panel(1), "  选择分数题库");
}

TEST(KindSelection, EveryBoxConfirmsItsKindAndTouchesNothingElse) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    MemoryControls controls;
    controls.Select(form::单选框3);
    controls.WriteText(form::编辑框1, "7");
    controls.WriteState(form::选择框1, 0);
    controls.Click(info.box);
    EXPECT_EQ(TickedBoxes(controls), std::vector<std::string_view>{info.box});
    EXPECT_EQ(controls.Panel(1), info.confirmation);
    EXPECT_TRUE(info.confirmation.starts_with("  "));
    EXPECT_EQ(controls.ReadState(form::单选框3), 1);
    EXPECT_EQ(controls.ReadText(form::编辑框1), "7");
  }
}

}  // namespace
}  // namespace kalkora
