#pragma once

#include <string>
#include <string_view>

#include "core/base/message_box.hpp"

namespace kalkora {

// The messages that end a run when the word processor cannot do its part.
inline constexpr std::string_view kOfficeCaption = "无法打开表格：";

inline UserMessage OfficeMessage(std::string_view text, std::string_view path = {}) {
  return {std::string(text) + std::string(path), std::string(kOfficeCaption)};
}

inline constexpr std::string_view kWordMissing = "电 脑 没 有 安 装 WORD 软 件.";
inline constexpr std::string_view kWordNotStarted = "无法启动 WORD 软 件.";
inline constexpr std::string_view kTemplateNotWritten = "无法写入表格模板：";
inline constexpr std::string_view kTemplateNotOpened = "无法打开表格模板：";
inline constexpr std::string_view kWordStoppedMidRun =
    "生成题库时 WORD 软 件停止响应，题库没有完成。";
// The office has still not answered a call that an earlier run gave up on.
inline constexpr std::string_view kWordNotAnswering =
    "WORD 软 件没有响应，上一次的操作还没有完成。请等它恢复响应后再试。";
// The office can only run out of sight (no desktop plug-in): a sheet would open nowhere.
inline constexpr std::string_view kWordCannotShowWindows =
    "WORD 软 件无法显示窗口，题库会看不见。请安装 libreoffice-writer 和桌面组件（例如 "
    "libreoffice-gtk3）。";

}  // namespace kalkora
