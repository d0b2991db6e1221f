#include "core/app/edit_box_input.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/base/form_names.hpp"

namespace kalkora {
namespace {

const ControlSpec& Places() { return *FindControl(form::编辑框3); }
const ControlSpec& RangeStart() { return *FindControl(form::编辑框1); }

constexpr std::string_view kEmoji = "\xF0\x9F\x98\x80";       // U+1F600, a UTF-16 pair
constexpr std::string_view kLoneHalf = "\xED\xA0\xBD";        // U+D83D written as UTF-8
constexpr std::string_view kFullWidthThree = "\xEF\xBC\x93";  // U+FF13

TEST(EditBoxInput, ThePlacesBoxHoldsOneDigitOrMinusAndNothingElse) {
  struct Case {
    std::string_view text;
    bool accepted;
  };
  for (const Case& c :
       {Case{"", true}, Case{"2", true}, Case{"-", true}, Case{"x", false}, Case{".", false},
        Case{"23", false}, Case{kEmoji, false}, Case{kLoneHalf, false},
        Case{kFullWidthThree, false}, Case{"\t", false}, Case{"\b", false}}) {
    EXPECT_EQ(AcceptsText(Places(), c.text), c.accepted) << c.text;
  }
  EXPECT_TRUE(AcceptsText(RangeStart(), "abc 一二三 0123456789012345678901234567890123456789"));
  EXPECT_TRUE(AcceptsText(RangeStart(), kEmoji));
  EXPECT_FALSE(AcceptsText(RangeStart(), "1\n2")) << "a line break is a key, not text";
}

TEST(EditBoxInput, InsertedTextIsCutToTheRoomInCharactersAndRefusedWithAForeignCharacter) {
  struct Case {
    const ControlSpec& box;
    std::string kept;
    std::string inserted;
    std::optional<std::string> fitting;
  };
  const std::vector<Case> cases = {
      {Places(), "", "3", "3"},
      {Places(), "", "35", "3"},
      {Places(), "", "3x", "3"},
      {Places(), "", "x", std::nullopt},
      {Places(), "", "x3", std::nullopt},
      {Places(), "", std::string(kEmoji), std::nullopt},
      {Places(), "", std::string(kFullWidthThree), std::nullopt},
      {Places(), "", "\r\n", std::nullopt},
      {Places(), "2", "3", ""},
      {Places(), "2", "x", ""},
      {Places(), "", "", ""},
      {Places(), "", "\xFF", std::nullopt},
      {RangeStart(), "1", std::string(kEmoji) + "x", std::string(kEmoji) + "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.box.name) + " [" + c.kept + "] + [" + c.inserted + "]");
    EXPECT_EQ(FittingInsertion(c.box, c.kept, c.inserted), c.fitting);
  }
}

}  // namespace
}  // namespace kalkora
