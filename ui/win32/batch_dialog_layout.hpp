#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace kalkora::win32 {

// The control ids of the batch dialog and its progress window, fixed so that a test driver
// finds them; the buttons are IDOK (生成) and IDCANCEL (取消).
enum BatchControl : int {
  kBatchSettings = 3001,  // the form's settings, in words
  kBatchSheets,           // 份数, 1-500
  kBatchSheetsSpin,
  kBatchAnswers,  // 同时生成答案
  kBatchFormat,   // Word 文档 (.docx) or PDF (.pdf)
  kBatchFile,
  kBatchBrowse,
  kBatchFirstCode,   // 起始卷号, empty for a random one
  kBatchMostSheets,  // the count's limit, beside it
  kBatchFormatNote,  // why PDF is not offered, when it is not
  // The 题目要求 group: 常用练习, the second operands' and the results' ranges, the shares
  // (不限, 0%, 10%, … 100%), where the pupil fills in, and 不重复.
  kBatchPreset,
  kBatchSecondFrom,
  kBatchSecondTo,
  kBatchResultFrom,
  kBatchResultTo,
  kBatchCarry,
  kBatchBorrow,
  kBatchRemainder,
  kBatchBlank,
  kBatchDistinct,
  kBatchTitle,       // empty: 数学作业练习
  kBatchNameLine,    // 班级姓名栏
  kBatchPreview,     // the first sheet or its key as it is written, or why there is none
  kBatchPreviewKey,  // 预览答案
  kBatchProgressText = 3101,
  kBatchProgressBar,
};

enum class DialogControlKind {
  Label,
  Edit,
  NumberEdit,
  Spin,
  CheckBox,
  DropDown,
  Button,
  Progress,
  GroupBox,
  Preview  // a page preview pane (page_preview.hpp)
};

// One control: its id (-1 for a label nothing refers to), kind, text and place in the
// client area, in pixels. A drop-down's height is that of its open list.
struct DialogControl {
  int id;
  DialogControlKind kind;
  std::string_view text;
  RECT place;  // left, top, right, bottom
};

struct DialogLayout {
  std::string_view caption;
  int clientWidth;
  int clientHeight;
  std::span<const DialogControl> controls;
};

// 批量生成: the settings, 份数, 同时生成答案, 格式, 文件 with 浏览…, 起始卷号, the 题目要求 group,
// 标题 and 班级姓名栏 on the left; the preview with 预览答案 on the right; 生成 and 取消.
const DialogLayout& BatchDialogLayout();
// The progress of a class set that takes a while: a line of text, the bar and 取消.
const DialogLayout& BatchProgressLayout();

}  // namespace kalkora::win32
