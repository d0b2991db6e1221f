#pragma once

#include "app/clock.hpp"
#include "app/controls.hpp"
#include "app/program_state.hpp"

namespace kalkora {

// What the problem generators read and write: the window's controls (read afresh for every
// draw), the program state and the clock that reseeds the generator.
struct GenerationContext {
  Controls& controls;
  ProgramState& state;
  Clock& clock;
};

}  // namespace kalkora
