#include "ui/win32/batch_dialog_layout.hpp"

#include "core/app/batch_messages.hpp"

namespace kalkora::win32 {
namespace {

using enum DialogControlKind;

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
    {kBatchFormatNote, Label, "", {260, 105, 452, 121}},
    {-1, Label, "文件：", {12, 135, 88, 151}},
    {kBatchFile, Edit, "", {92, 132, 382, 154}},
    {kBatchBrowse, Button, "浏览…", {388, 131, 452, 155}},
    {-1, Label, "起始卷号：", {12, 165, 88, 181}},
    {kBatchFirstCode, NumberEdit, "", {92, 162, 192, 184}},
    {IDOK, Button, "生成", {288, 202, 366, 228}},
    {IDCANCEL, Button, "取消", {374, 202, 452, 228}},
};

constexpr DialogControl kProgressControls[] = {
    {kBatchProgressText, Label, "正在生成题卡…", {12, 12, 312, 28}},
    {kBatchProgressBar, Progress, "", {12, 36, 312, 54}},
    {IDCANCEL, Button, "取消", {234, 66, 312, 92}},
};

const DialogLayout kBatchLayout{kBatchCaption, 464, 240, kBatchControls};
const DialogLayout kProgressLayout{kBatchCaption, 324, 104, kProgressControls};

}  // namespace

const DialogLayout& BatchDialogLayout() { return kBatchLayout; }
const DialogLayout& BatchProgressLayout() { return kProgressLayout; }

}  // namespace kalkora::win32
