#include "core/app/form_table.hpp"

#include <algorithm>

#include "core/base/form_names.hpp"

namespace kalkora {
namespace {

using form::分组框1;
using form::分组框2;
using form::分组框3;

constexpr ControlSpec Check(std::string_view name, Rect rect, std::string_view caption,
                            int state = 0) {
  return {name, ControlKind::CheckBox, 分组框1, rect, caption, state, Handler::KindBoxClicked};
}

constexpr ControlSpec Radio(std::string_view name, std::string_view parent, Rect rect,
                            std::string_view caption, int state = 0) {
  return {name, ControlKind::RadioButton, parent, rect, caption, state};
}

constexpr ControlSpec Edit(std::string_view name, std::string_view parent, Rect rect,
                           std::string_view text, int maxLength = 0,
                           InputFilter filter = InputFilter::Any) {
  return {name, ControlKind::EditBox, parent, rect,      text,
          0,    Handler::None,        true,   maxLength, filter};
}

constexpr ControlSpec Hidden(ControlSpec control) {
  control.hidden = true;
  return control;
}

constexpr ControlSpec Group(std::string_view name, std::string_view parent, Rect rect,
                            std::string_view caption) {
  return {name, ControlKind::GroupBox, parent, rect, caption};
}

const ControlSpec kControls[] = {
    {form::图片框1, ControlKind::PictureBox, "", {-13, -7, 566, 100}, "banner.jpg"},
    Group(分组框1, "", {0, 88, 553, 152}, ""),
    {form::标签1,
     ControlKind::Label,
     分组框1,
     {145, 11, 256, 24},
     "生成范围从：               到            "},
    Edit(form::编辑框1, 分组框1, {218, 13, 80, 20}, "1"),
    Edit(form::编辑框2, 分组框1, {327, 13, 80, 20}, "100"),
    Check(form::选择框1, {6, 48, 48, 24}, "加法", 1),
    Check(form::选择框2, {62, 48, 48, 24}, "减法"),
    Check(form::选择框8, {118, 48, 48, 24}, "连续加法"),
    Check(form::选择框9, {171, 44, 56, 32}, "连续加减法"),
    Check(form::选择框3, {237, 48, 48, 24}, "乘法"),
    Check(form::选择框4, {293, 48, 48, 24}, "除法"),
    Check(form::选择框10, {343, 48, 48, 24}, "分数"),
    Check(form::选择框5, {394, 48, 48, 24}, "加减混合"),
    Check(form::选择框6, {449, 48, 48, 24}, "乘除混合"),
    Check(form::选择框7, {505, 40, 44, 39}, "加减乘除混合"),
    Group(分组框2, 分组框1, {2, 90, 114, 59}, "生成题数："),
    Radio(form::单选框1, 分组框2, {8, 17, 48, 17}, "18题", 1),
    Radio(form::单选框2, 分组框2, {63, 17, 48, 17}, "24题"),
    Radio(form::单选框3, 分组框2, {8, 37, 48, 17}, "30题"),
    {form::超级按钮1,
     ControlKind::Button,
     分组框1,
     {162, 90, 228, 54},
     "生 成 题 库",
     0,
     Handler::Generate},
    {form::时钟1,
     ControlKind::Timer,
     分组框1,
     {},
     "",
     0,
     Handler::ClockTick,
     false,
     0,
     InputFilter::Any,
     1000},
    Hidden(Edit(form::编辑框19, 分组框1, {552, 24, 80, 20}, "")),
    Group(分组框3, "", {437, 178, 114, 59}, "小数点选择："),
    Radio(form::单选框4, 分组框3, {8, 17, 84, 17}, "不加小数点", 1),
    Radio(form::单选框5, 分组框3, {8, 37, 104, 17}, "加    位小数点"),
    Edit(form::编辑框3, 分组框3, {39, 35, 22, 20}, "2", 1, InputFilter::DigitsAndMinus),
    {form::状态条1, ControlKind::StatusBar, "", {0, 240, 392, 20}, ""},
    {form::超级链接框1,
     ControlKind::HyperlinkLabel,
     "",
     {406, 242, 136, 17},
     "Kalkora 主页",
     0,
     Handler::OpenHyperlink},
    {form::Word程序, ControlKind::WordApplication, "", {}, ""},
    {form::Word文档集, ControlKind::WordDocuments, "", {}, ""},
};

const FormSpec kMainForm = {
    .caption = " Kalkora V1.6",
    .outerWidth = 557,
    .outerHeight = 292,
    .clientWidth = 551,
    .clientHeight = 260,
    .controls = kControls,
    .panels = {{{188, ""}, {170, " 不要让童年太累..."}}},
    .formFont = {"宋体", 12, 400, true},
    .buttonFont = {"宋体", 16, 700, true},
    .buttonTooltip = "百万题库，随机抽取，生成每篇作业题目皆不相同！",
};

}  // namespace

const FormSpec& MainForm() { return kMainForm; }

const ControlSpec* FindControl(std::string_view name) {
  const auto& controls = kMainForm.controls;
  const auto found = std::ranges::find(controls, name, &ControlSpec::name);
  return found == controls.end() ? nullptr : &*found;
}

Rect InClientArea(const ControlSpec& control) {
  Rect rect = control.rect;
  for (const ControlSpec* parent = FindControl(control.parent); parent;
       parent = FindControl(parent->parent)) {
    rect.left += parent->rect.left;
    rect.top += parent->rect.top;
  }
  return rect;
}

bool AcceptsTypedCharacter(InputFilter filter, char32_t character) {
  switch (filter) {
    case InputFilter::Any:
      return true;
    case InputFilter::DigitsAndMinus:
      return (character >= U'0' && character <= U'9') || character == U'-' || character < 0x20 ||
             character == 0x7f;
  }
  return false;
}

}  // namespace kalkora
