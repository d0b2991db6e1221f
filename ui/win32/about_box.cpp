#include "ui/win32/about_box.hpp"

#include <string>

#include "core/app/form_table.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {

void ShowAbout(HWND owner) {
  const std::string text =
      "Kalkora " KALKORA_VERSION "\n口算题卡\n\n" + std::string(MainForm().hyperlinkAddress);
  ::MessageBoxW(owner, ToUtf16(text).c_str(), L"关于 Kalkora", MB_OK | MB_ICONINFORMATION);
}

}  // namespace kalkora::win32
