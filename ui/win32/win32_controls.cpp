#include "ui/win32/win32_controls.hpp"

#include <commctrl.h>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {

HWND Win32Controls::Find(std::string_view name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

int Win32Controls::ReadState(std::string_view name) {
  return SendMessageW(Find(name), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Controls::WriteState(std::string_view name, int state) {
  SendMessageW(Find(name), BM_SETCHECK, state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Win32Controls::ReadText(std::string_view name) {
  const HWND control = Find(name);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return ToUtf8(text);
}

void Win32Controls::WriteText(std::string_view name, std::string_view text) {
  SetWindowTextW(Find(name), ToUtf16(text).c_str());
}

void Win32Controls::SetPanelText(int index, std::string_view text) {
  SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(ToUtf16(text).c_str()));
}

}  // namespace kalkora::win32
