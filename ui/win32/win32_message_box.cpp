#include "ui/win32/win32_message_box.hpp"

#include <windows.h>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {

void Win32MessageBox::Show(const UserMessage& message) {
  // A box without an owner hands the activation to whatever window the system picks when it
  // goes, often another program's: the window that was active before it gets it back.
  const HWND active = GetActiveWindow();
  ::MessageBoxW(nullptr, ToUtf16(message.text).c_str(), ToUtf16(message.caption).c_str(),
                MB_OK | MB_TASKMODAL);
  if (active && IsWindow(active) && IsWindowEnabled(active)) SetForegroundWindow(active);
}

}  // namespace kalkora::win32
