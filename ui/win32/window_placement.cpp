#include "ui/win32/window_placement.hpp"

namespace kalkora::win32 {

void FitAndCentre(HWND window, int clientWidth, int clientHeight) {
  // The frame is measured rather than worked out from the style, so that a menu bar of any
  // height is allowed for; a second pass catches a menu bar that wraps at the new width.
  for (int pass = 0; pass < 2; ++pass) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int width = (outer.right - outer.left) + clientWidth - (client.right - client.left);
    const int height = (outer.bottom - outer.top) + clientHeight - (client.bottom - client.top);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace kalkora::win32
