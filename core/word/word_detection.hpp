#pragma once

#include "core/base/controls.hpp"
#include "core/base/office_locator.hpp"

namespace kalkora {

// Whether the word processor counts as installed: its install path goes through the hidden
// 编辑框19 and must contain "ffice" (in any letter case).
bool DetectWord(Controls& controls, OfficeLocator& locator);

}  // namespace kalkora
