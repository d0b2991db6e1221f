#pragma once

#include <windows.h>

#include <string>

namespace kalkora::testing {

// A window's text read through WM_GETTEXT, which crosses threads and processes.
std::string WindowText(HWND window);

}  // namespace kalkora::testing
