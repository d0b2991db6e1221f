#pragma once

#include <QMenuBar>
#include <functional>

namespace kalkora::qt {

// What the menu's entries do.
struct MenuCommands {
  std::function<void()> generate;
  std::function<void()> batch;
  std::function<void()> quit;
  std::function<void()> about;
};

// The object names of the menu's actions, by which tests find them.
inline constexpr const char* kGenerateAction = "generateAction";
inline constexpr const char* kBatchAction = "batchAction";
inline constexpr const char* kQuitAction = "quitAction";
inline constexpr const char* kAboutAction = "aboutAction";

// The window's menu bar: 文件 with 生成题库 (F5), 批量生成… (Ctrl+B) and 退出 (Ctrl+Q), and 帮助
// with 关于 Kalkora. The shortcuts work wherever the focus is in the window.
QMenuBar* MakeMainMenu(const MenuCommands& commands, QWidget* window);

}  // namespace kalkora::qt
