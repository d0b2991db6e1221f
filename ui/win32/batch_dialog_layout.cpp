#include "ui/win32/batch_dialog_layout.hpp"

#include "core/app/batch_messages.hpp"

namespace kalkora::win32 {
namespace {

using enum DialogControlKind;

// The fields on the left, 452 pixels wide; the preview on the right at about a third of an A4
// page's printed size, so that its texts stay legible.
constexpr DialogControl kBatchControls[] = {
    {-1, Label, "题型设置：", {12, 15, 88, 31}},
    {kBatchSettings, Label, "", {92, 15, 452, 31}},
    {-1, Label, "份数：", {12, 45, 88, 61}},
    {kBatchSheets, NumberEdit, "1", {92, 42, 152, 64}},
    {kBatchSheetsSpin, Spin, "", {152, 42, 170, 64}},
    {kBatchMostSheets, Label, "最多 500 份", {178, 45, 292, 61}},
    {kBatchAnswers, CheckBox, "同时生成答案", {92, 72, 292, 92}},
    {-1, Label, "格式：", {12, 105, 88, 121}},
    {kBatchFormat, DropDown, "", {92, 102, 252, 202}},
    {kBatchFormatNote, Label, "", {92, 128, 452, 144}},
    {-1, Label, "文件：", {12, 155, 88, 171}},
    {kBatchFile, Edit, "", {92, 152, 382, 174}},
    {kBatchBrowse, Button, "浏览…", {388, 151, 452, 175}},
    {-1, Label, "起始卷号：", {12, 185, 88, 201}},
    {kBatchFirstCode, NumberEdit, "", {92, 182, 192, 204}},

    {-1, GroupBox, "题目要求", {12, 214, 452, 392}},
    {-1, Label, "常用练习：", {24, 241, 100, 257}},
    {kBatchPreset, DropDown, "", {104, 238, 304, 498}},
    {-1, Label, "第二个数：", {24, 271, 100, 287}},
    {kBatchSecondFrom, Edit, "", {104, 268, 184, 290}},
    {-1, Label, "到", {190, 271, 206, 287}},
    {kBatchSecondTo, Edit, "", {212, 268, 292, 290}},
    {-1, Label, "结果：", {24, 301, 100, 317}},
    {kBatchResultFrom, Edit, "", {104, 298, 184, 320}},
    {-1, Label, "到", {190, 301, 206, 317}},
    {kBatchResultTo, Edit, "", {212, 298, 292, 320}},
    {-1, Label, "进位：", {24, 331, 100, 347}},
    {kBatchCarry, DropDown, "", {104, 328, 186, 568}},
    {-1, Label, "退位：", {192, 331, 232, 347}},
    {kBatchBorrow, DropDown, "", {234, 328, 316, 568}},
    {-1, Label, "余数：", {322, 331, 362, 347}},
    {kBatchRemainder, DropDown, "", {364, 328, 446, 568}},
    {-1, Label, "填空位置：", {24, 361, 100, 377}},
    {kBatchBlank, DropDown, "", {104, 358, 204, 458}},
    {kBatchDistinct, CheckBox, "不重复", {224, 359, 324, 379}},

    {-1, Label, "标题：", {12, 405, 88, 421}},
    {kBatchTitle, Edit, "", {92, 402, 292, 424}},
    {kBatchNameLine, CheckBox, "班级姓名栏", {304, 403, 452, 423}},

    {kBatchPreview, Preview, "", {476, 12, 776, 436}},
    {kBatchPreviewKey, CheckBox, "预览答案", {476, 444, 676, 464}},
    {IDOK, Button, "生成", {612, 474, 690, 500}},
    {IDCANCEL, Button, "取消", {698, 474, 776, 500}},
};

constexpr DialogControl kProgressControls[] = {
    {kBatchProgressText, Label, "正在生成题卡…", {12, 12, 312, 28}},
    {kBatchProgressBar, Progress, "", {12, 36, 312, 54}},
    {IDCANCEL, Button, "取消", {234, 66, 312, 92}},
};

const DialogLayout kBatchLayout{kBatchCaption, 788, 512, kBatchControls};
const DialogLayout kProgressLayout{kBatchCaption, 324, 104, kProgressControls};

}  // namespace

const DialogLayout& BatchDialogLayout() { return kBatchLayout; }
const DialogLayout& BatchProgressLayout() { return kProgressLayout; }

}  // namespace kalkora::win32
