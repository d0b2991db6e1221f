#include <gtest/gtest.h>

#include "app/form_names.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

using testing::MemoryControls;

TEST(FormTable, StartsWithTheSpecifiedDefaults) {
  MemoryControls controls;
  EXPECT_EQ(controls.ReadState(form::选择框1), 1);
  EXPECT_EQ(controls.ReadState(form::单选框1), 1);
  EXPECT_EQ(controls.ReadState(form::单选框4), 1);
  EXPECT_EQ(controls.ReadText(form::编辑框1), "1");
  EXPECT_EQ(controls.ReadText(form::编辑框2), "100");
  EXPECT_EQ(controls.ReadText(form::编辑框3), "2");
  EXPECT_EQ(controls.Panel(0), "");
  EXPECT_EQ(controls.Panel(1), " 不要让童年太累...");
}

}  // namespace
}  // namespace kalkora
