#pragma once

#include <windows.h>

#include <functional>

#include "core/app/class_set_flow.hpp"

namespace kalkora::win32 {

// Runs `write` on a thread of its own while the owner waits, disabled. When it takes longer
// than a second a progress window appears over the owner with the sheets done so far and
// 取消; after the last sheet of a PDF it says that the set is being converted, and can no
// longer be cancelled. Returns what `write` returned.
BatchResult WriteWithProgress(HWND owner, HINSTANCE instance, bool toPdf,
                              const std::function<BatchResult(const BatchProgress&)>& write);

// The window class of the progress window, for a test driver.
inline constexpr wchar_t kBatchProgressClass[] = L"KalkoraBatchProgress";

}  // namespace kalkora::win32
