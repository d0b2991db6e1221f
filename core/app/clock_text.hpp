#pragma once

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"

namespace kalkora {

// The 1000 ms clock: the current local date and time into status panel 0.
void OnClockTick(Controls& controls, Clock& clock);

}  // namespace kalkora
