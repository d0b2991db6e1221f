#include "ui/win32/about_box.hpp"

#include <shellapi.h>

#include <string>

#include "core/app/help_page.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/help_page.hpp"

namespace kalkora::win32 {
namespace {

// The box's 帮助 button opens the help page.
void CALLBACK OpenHelpPageFromBox(LPHELPINFO) {
  const std::filesystem::path page = HelpPagePath();
  if (!page.empty()) ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void ShowAbout(HWND owner) {
  const std::filesystem::path page = HelpPagePath();
  const std::wstring text =
      ToUtf16("Kalkora " KALKORA_VERSION "\n口算题卡\n\n") +
      (page.empty() ? ToUtf16(kHelpPageMissing) : L"使用帮助：" + page.wstring());
  MSGBOXPARAMSW box{};
  box.cbSize = sizeof box;
  box.hwndOwner = owner;
  box.lpszText = text.c_str();
  box.lpszCaption = L"关于 Kalkora";
  box.dwStyle = MB_OK | MB_ICONINFORMATION | (page.empty() ? 0u : static_cast<DWORD>(MB_HELP));
  box.lpfnMsgBoxCallback = OpenHelpPageFromBox;
  ::MessageBoxIndirectW(&box);
}

}  // namespace kalkora::win32
