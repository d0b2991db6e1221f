#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"

namespace kalkora::win32 {

// 批量生成, modal over the owner, laid out from its table: the settings in words, 份数 (1-500,
// the limit said beside it; default 1), 同时生成答案 (ticked), 格式 (Word 文档 .docx or PDF;
// the file's extension follows it; without `pdfAvailable` PDF is listed as unavailable with
// the reason beside it, and not taken), 文件 (default "口算题卡-YYYY-MM-DD.docx" in the
// documents folder, with 浏览…) and 起始卷号 (empty: random); the 题目要求 group (rule_group.hpp),
// 标题 (empty: 数学作业练习) and 班级姓名栏. Beside them a preview shows the first sheet as 生成
// writes it, or with 预览答案 its key, redrawn a moment after every change; rules, a title or
// a code that would be refused are explained there instead, and 生成 is disabled while the
// rules are. It opens with the choices of its last 生成 instead of the defaults above: count,
// key, format, code, and the folder while it exists. 生成 checks the fields with the command
// line's messages and asks before an existing file is replaced, then hands the choice to
// `submit`, which makes the set while the dialog waits disabled; the dialog closes or stays
// open with the failure shown over it.
void AskForBatch(HWND owner, HINSTANCE instance, const BatchDialogInput& input,
                 const BatchSubmit& submit);

// The window class of the dialog, for a test driver.
inline constexpr wchar_t kBatchDialogClass[] = L"KalkoraBatchDialog";

}  // namespace kalkora::win32
