#pragma once

#include "core/base/message_box.hpp"

namespace kalkora::qt {

inline const UserMessage kWindowNotCreated{"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n",
                                           "错误"};

// Before the window is made: the program's folder becomes the current directory and the
// floating-point environment is reset to its defaults (round to nearest, exceptions masked).
void PrepareProcess();

// The one fatal failure: the window could not be made. A modal box with the error icon.
void ShowWindowNotCreated();

}  // namespace kalkora::qt
