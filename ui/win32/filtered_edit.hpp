#pragma once

#include <windows.h>

#include "core/app/form_table.hpp"

namespace kalkora::win32 {

// Holds the edit box to its form entry's input filter and limit however text reaches it:
// typed characters (WM_CHAR, WM_IME_CHAR) pass the filter one by one; a paste (WM_PASTE: Ctrl+V,
// the context menu) and text put in place of the selection from outside (EM_REPLACESEL) go in
// as the form's rule for inserted text says, counting characters, never half of a UTF-16 pair.
// The box takes no input-method composition: its keys arrive as typed characters. The entry
// must outlive the box (the form table's entries live as long as the program).
void FilterEditInput(HWND edit, const ControlSpec& box);

}  // namespace kalkora::win32
