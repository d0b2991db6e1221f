#include "window_text.hpp"

#include "system/win32/utf16.hpp"

namespace kalkora::testing {

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return win32::ToUtf8(text);
}

}  // namespace kalkora::testing
