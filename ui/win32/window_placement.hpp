#pragma once

#include <windows.h>

namespace kalkora::win32 {

// Sizes the window so that its client area (below its menu bar, if it has one) is exactly
// clientWidth x clientHeight, and centres it on the screen at that outer size.
void FitAndCentre(HWND window, int clientWidth, int clientHeight);

}  // namespace kalkora::win32
