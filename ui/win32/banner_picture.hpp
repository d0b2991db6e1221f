#pragma once

#include <windows.h>

namespace kalkora::win32 {

// The JPEG banner from the program's resources, scaled to the box's width and cut to its
// height around the middle; nullptr when it cannot be decoded. The caller deletes the bitmap.
HBITMAP LoadBanner(HINSTANCE instance, int width, int height);

}  // namespace kalkora::win32
