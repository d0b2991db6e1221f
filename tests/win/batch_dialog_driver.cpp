#include "batch_dialog_driver.hpp"

#include <stdexcept>

#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/control_ids.hpp"

namespace kalkora::testing {

void BatchDialogDriver::Type(int id, std::string_view text) const {
  const std::wstring wide = win32::ToUtf16(text);
  SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string BatchDialogDriver::Text(int id) const { return WindowText(Control(id)); }

void BatchDialogDriver::Pick(int id, int index) const {
  SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Control(id)));
}

void BatchDialogDriver::Pick(int id, std::string_view item) const {
  const LRESULT count = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
  for (int index = 0; index < count; ++index) {
    SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (Picked(id) == item) return Pick(id, index);
  }
  throw std::invalid_argument("no such item: " + std::string(item));
}

std::string BatchDialogDriver::Picked(int id) const {
  const LRESULT index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
  if (index < 0) return {};
  wchar_t text[64] = {};
  SendMessageW(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text));
  return win32::ToUtf8(text);
}

void BatchDialogDriver::Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }

bool BatchDialogDriver::Ticked(int id) const {
  return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool BatchDialogDriver::Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

void BatchDialogDriver::ChoosePreset(std::string_view name) const {
  Pick(win32::kBatchPreset, name);
}

void BatchDialogDriver::Redraw() const {
  SendMessageW(dialog_, WM_TIMER, win32::kPreviewTimerId, 0);
}

void BatchDialogDriver::Generate() const { PostMessageW(Control(IDOK), BM_CLICK, 0, 0); }

}  // namespace kalkora::testing
