#pragma once

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/generate/program_state.hpp"

namespace kalkora {

// What the problem generators read and write: the window's controls (read afresh for every
// draw), the program state and the clock that reseeds the generator.
struct GenerationContext {
  Controls& controls;
  ProgramState& state;
  Clock& clock;
};

}  // namespace kalkora
