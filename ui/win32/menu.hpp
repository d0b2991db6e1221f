#pragma once

#include <windows.h>

namespace kalkora::win32 {

// The menu's command ids, above the form's control ids (1001 on).
enum MenuCommand : int {
  kMenuGenerate = 40001,  // the generate button's command
  kMenuBatch = 40002,
  kMenuQuit = 40003,
  kMenuAbout = 40004,
};

// The window's menu bar: 文件(&F) with 生成题库 (F5), 批量生成… (Ctrl+B) and 退出 (Ctrl+Q);
// 帮助(&H) with 关于 Kalkora. The window that it is given to destroys it.
HMENU CreateMainMenu();

// The menu's keyboard shortcuts; the caller destroys the table.
HACCEL CreateMenuAccelerators();

}  // namespace kalkora::win32
