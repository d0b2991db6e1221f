#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/base/form_names.hpp"
#include "core/app/form_table.hpp"
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

TEST(FormTable, NamesAreUniqueAndParentsComeBeforeTheirChildren) {
  std::set<std::string_view> seen;
  for (const ControlSpec& control : MainForm().controls) {
    if (!control.parent.empty()) {
      EXPECT_TRUE(seen.contains(control.parent)) << control.name;
      EXPECT_EQ(FindControl(control.parent)->kind, ControlKind::GroupBox) << control.name;
    }
    EXPECT_TRUE(seen.insert(control.name).second) << control.name;
  }
  EXPECT_EQ(FindControl("编辑框4"), nullptr);
}

TEST(FormTable, HiddenBoxLiesOutsideTheClientArea) {
  const ControlSpec& hidden = *FindControl(form::编辑框19);
  const ControlSpec& group = *FindControl(hidden.parent);
  EXPECT_GE(group.rect.left + hidden.rect.left, MainForm().clientWidth);
}

TEST(FormTable, PlacesBoxTakesOneDigitOrMinus) {
  const ControlSpec& places = *FindControl(form::编辑框3);
  EXPECT_EQ(places.maxLength, 1);
  for (char32_t c : {U'0', U'9', U'-', U'\b', char32_t{0x7f}}) {
    EXPECT_TRUE(AcceptsTypedCharacter(places.filter, c)) << static_cast<int>(c);
  }
  for (char32_t c : {U'a', U'.', U'+', U' ', U'２', U'e'}) {
    EXPECT_FALSE(AcceptsTypedCharacter(places.filter, c)) << static_cast<int>(c);
  }
  EXPECT_TRUE(AcceptsTypedCharacter(FindControl(form::编辑框1)->filter, U'a'));
  EXPECT_EQ(FindControl(form::编辑框1)->maxLength, 0);
}

}  // namespace
}  // namespace kalkora
