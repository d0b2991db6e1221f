#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window_text.hpp"

namespace kalkora::testing {

// The 批量生成 dialog driven through its control ids as a user drives it, from a thread or a
// process other than the dialog's: each call returns when the dialog has handled it.
class BatchDialogDriver {
 public:
  explicit BatchDialogDriver(HWND dialog) : dialog_(dialog) {}

  HWND Dialog() const { return dialog_; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }

  // Text typed into a box (its EN_CHANGE included), and a box's or a label's text.
  void Type(int id, std::string_view text) const;
  std::string Text(int id) const;
  // An item picked from a drop-down's list, its CBN_SELCHANGE included; the picked item's text.
  void Pick(int id, int index) const;
  void Pick(int id, std::string_view item) const;
  std::string Picked(int id) const;
  // A click on a button or a check box, and a check box's state.
  void Click(int id) const;
  bool Ticked(int id) const;
  bool Enabled(int id) const;
  // 常用练习's preset by its name.
  void ChoosePreset(std::string_view name) const;
  // The preview redrawn at once, as it is a moment after a change.
  void Redraw() const;
  // 生成 clicked, returning at once: what it leads to (a set, a message) comes later.
  void Generate() const;

 private:
  HWND dialog_;
};

}  // namespace kalkora::testing
