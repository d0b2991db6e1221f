#pragma once

#include "core/generate/program_state.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// What the problem generators read and write: the sheet's settings and the program state.
struct GenerationContext {
  const SheetSettings& settings;
  ProgramState& state;
};

}  // namespace kalkora
