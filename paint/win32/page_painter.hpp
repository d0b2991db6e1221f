#pragma once

#include <windows.h>

#include "core/word/page_layout.hpp"

namespace kalkora::win32 {

// The face pages are set in: a TrueType face with the Chinese texts, the digits and the signs
// alike, installed on every current Windows.
inline constexpr wchar_t kPageFace[] = L"Microsoft YaHei";

// Draws the whole paper into `target` (device units of `dc`), scaled uniformly and centred in
// it: white paper, the grid, then every text at the top of its box, left or centred, on one
// line. The DC's state (objects, colours, modes) is left as it was.
void PaintPage(HDC dc, const PageLayout& page, const RECT& target);

}  // namespace kalkora::win32
