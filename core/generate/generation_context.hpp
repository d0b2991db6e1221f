#pragma once

#include "core/base/controls.hpp"
#include "core/generate/program_state.hpp"

namespace kalkora {

// What the problem generators read and write: the window's controls (read afresh for every
// draw) and the program state.
struct GenerationContext {
  Controls& controls;
  ProgramState& state;
};

}  // namespace kalkora
