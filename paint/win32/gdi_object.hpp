#pragma once

#include <windows.h>

#include <memory>

namespace kalkora::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A pen, brush or font of our own, deleted with its holder; it must no longer be selected
// into a DC by then.
using GdiObject = std::unique_ptr<void, GdiObjectDeleter>;

}  // namespace kalkora::win32
