#pragma once

#include <windows.h>

#include <string>

#include "core/word/page_layout.hpp"

namespace kalkora::win32 {

// A pane that shows a page as it is printed, scaled to fit it, or instead a message, wrapped
// and centred. The message is also the pane's window text (empty while a page is shown), so
// that a test driver in another process reads what it says. Painted through a memory bitmap,
// so that a redraw does not flicker; it answers WM_PRINTCLIENT with the same picture.
inline constexpr wchar_t kPagePreviewClass[] = L"KalkoraPagePreview";

// True when the class is registered, also by an earlier call.
bool RegisterPagePreviewClass(HINSTANCE instance);

// For a pane of this window class, made by this process.
void ShowPreviewPage(HWND pane, PageLayout page);
void ShowPreviewMessage(HWND pane, const std::string& message);

}  // namespace kalkora::win32
