#pragma once

#include <windows.h>

namespace kalkora::win32 {

// The flat generate button: an owner-drawn push button with a border line and no focus
// rectangle, its face a lighter shade while the mouse is over it, and the hand cursor.
void MakeFlatButton(HWND button);
// Draws it for WM_DRAWITEM.
void DrawFlatButton(const DRAWITEMSTRUCT& item);

// The button-face colour under the mouse: each channel 19 steps lighter, at most 255.
COLORREF HoverShade(COLORREF face);

}  // namespace kalkora::win32
