#pragma once

#include <basetsd.h>

#include <string_view>

namespace kalkora::win32 {

// The fixed Win32 control id of each control of the form: 1001 for the first control of the
// form table, counting on in the table's order. 0 for a name the form does not have.
int ControlId(std::string_view name);

inline constexpr int kClockTimerId = 1;
// 批量生成's redraw of its preview, a moment after a change; a test driver sends WM_TIMER
// with it to have the preview redrawn at once.
inline constexpr UINT_PTR kPreviewTimerId = 2;

}  // namespace kalkora::win32
