#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"

namespace kalkora::win32 {

// 批量生成, modal over the owner, laid out from its table: the settings in words, 份数 (1-500,
// default 1), 同时生成答案 (ticked), 格式 (Word 文档 .docx or PDF; the file's extension
// follows it), 文件 (default "口算题卡-YYYY-MM-DD.docx" in the documents folder, with 浏览…)
// and 起始卷号 (empty: random). 生成 checks the fields with the command line's messages and
// asks before an existing file is replaced. The choice, or nothing when the user cancels.
std::optional<BatchChoice> AskForBatch(HWND owner, HINSTANCE instance,
                                       const std::string& settingsSummary,
                                       const LocalDateTime& today);

// The window class of the dialog, for a test driver.
inline constexpr wchar_t kBatchDialogClass[] = L"KalkoraBatchDialog";

}  // namespace kalkora::win32
