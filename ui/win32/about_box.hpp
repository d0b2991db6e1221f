#pragma once

#include <windows.h>

namespace kalkora::win32 {

// 关于 Kalkora: the program's name and version, "口算题卡" and where the help page is, with a
// 帮助 button that opens it.
void ShowAbout(HWND owner);

}  // namespace kalkora::win32
