#include "ui/win32/win32_message_box.hpp"

#include <windows.h>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {

void Win32MessageBox::Show(const UserMessage& message) {
  ::MessageBoxW(nullptr, ToUtf16(message.text).c_str(), ToUtf16(message.caption).c_str(),
                MB_OK | MB_TASKMODAL);
}

}  // namespace kalkora::win32
