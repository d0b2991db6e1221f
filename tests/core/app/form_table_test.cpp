#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "core/app/form_table.hpp"
#include "core/base/form_names.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

using testing::MemoryControls;

TEST(FormTable, StartsWithTheFormsInitialStates) {
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

TEST(FormTable, OnlyThePathBoxIsHiddenAndItLiesOutsideTheClientArea) {
  for (const ControlSpec& control : MainForm().controls) {
    EXPECT_EQ(control.hidden, control.name == form::编辑框19) << control.name;
  }
  EXPECT_GE(InClientArea(*FindControl(form::编辑框19)).left, MainForm().clientWidth);
}

TEST(FormTable, PlacesControlsInTheClientAreaThroughTheirGroupBoxes) {
  struct Case {
    std::string_view name;
    Rect expected;
  };
  for (const Case& c :
       {Case{form::图片框1, {-13, -7, 566, 100}}, Case{form::标签1, {145, 99, 256, 24}},
        Case{form::单选框2, {65, 195, 48, 17}}, Case{form::编辑框3, {476, 213, 22, 20}}}) {
    const Rect at = InClientArea(*FindControl(c.name));
    EXPECT_EQ((std::array{at.left, at.top, at.width, at.height}),
              (std::array{c.expected.left, c.expected.top, c.expected.width, c.expected.height}))
        << c.name;
  }
}

TEST(FormTable, TheFormFontIsTheChineseDefaultGuiFont) {
  const FontSpec& font = MainForm().formFont;
  EXPECT_EQ(font.family, "宋体");
  EXPECT_EQ(font.pixelHeight, 12);
  EXPECT_EQ(font.weight, 400);
  EXPECT_TRUE(font.gb2312Charset);
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
