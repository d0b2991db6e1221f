#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/win32/batch_dialog_layout.hpp"

namespace kalkora::win32 {

// Registers a window class for dialog-like windows (the dialog face colour, the cursor given);
// true when it is registered, also by an earlier call.
bool RegisterDialogClass(HINSTANCE instance, const wchar_t* windowClass, WNDPROC procedure,
                         const wchar_t* cursor);

// A dialog-like window of the program's own window class: a fixed frame with a caption and a
// close box around the layout's client area, centred on its owner. `self` reaches the window
// procedure as the CREATESTRUCT's parameter. Created hidden; nullptr on failure.
HWND CreateDialogFrame(HWND owner, HINSTANCE instance, const wchar_t* windowClass,
                       const DialogLayout& layout, void* self);

// For the window procedure of a window made by CreateDialogFrame: the `self` it was made with,
// kept from WM_NCCREATE on; nullptr for the messages before that.
void* DialogSelf(HWND window, UINT message, LPARAM lParam);

// The font of the program's dialogs: the system's message font, or, where that font has no
// simplified Chinese, the form's face (宋体) at its size, so that the dialogs' Chinese texts
// are readable whatever the system's language. Deleted with the object.
class DialogFont {
 public:
  DialogFont();
  ~DialogFont();
  DialogFont(const DialogFont&) = delete;
  DialogFont& operator=(const DialogFont&) = delete;
  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// Every control of the layout as a native control with its id, in the font. A layout with a
// preview pane needs RegisterPagePreviewClass first.
bool CreateDialogControls(HWND dialog, HINSTANCE instance, const DialogLayout& layout, HFONT font);

// Shows the window and runs its messages (tab and the Enter and Esc keys included) until
// `done` is set, with the owner disabled meanwhile. A quit message is passed on.
void RunModal(HWND dialog, HWND owner, const bool& done);

// The text of a control, UTF-8.
std::string ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, std::string_view text);

}  // namespace kalkora::win32
