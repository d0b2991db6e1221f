#pragma once

#include <windows.h>

namespace kalkora::win32 {

// 关于 Kalkora: the program's name and version, "口算题卡" and the home page's address.
void ShowAbout(HWND owner);

}  // namespace kalkora::win32
